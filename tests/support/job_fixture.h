#pragma once

#include <string>

#include "job/job.h"
#include "job/memory_window.h"
#include "scripted_dialogs.h"
#include "temp_dir.h"

namespace vellumet::testing {

// A job on real folders: `program` is a program folder with empty Template/
// and buttons/ (tests put in what they need), `show` is the export folder.
// The job state holds its start-up values.
struct JobFixture {
  explicit JobFixture(const std::string& codeset = "UTF-8");

  // Writes a template into program/Template.
  void put_template(const std::string& name, const std::string& bytes);
  // Writes a file into the export folder.
  void put(const std::string& name, const std::string& bytes = "x");
  std::string show_dir() const { return show.path() + "/"; }
  // Accepts the export folder as the source, as browsing into it would.
  void browse_show();

  TempDir program;
  TempDir show;
  MemoryWindow window;
  ScriptedDialogs dialogs;
  Job job;
};

// An export folder's names: slide images, the export's pages, the player
// file, the presentation and leftovers (five: index.htm, navbtn2.htm,
// next.gif, sld002.htm, tsld001.htm).
inline constexpr const char* kExportNames[] = {
    "img001.gif",  "sld001.gif", "sld001.htm", "sld002.htm", "tsld001.htm", "navbtn1.htm",
    "navbtn2.htm", "index.htm",  "index.html", "pres0.ppz",  "talk.ppt",    "next.gif"};

// Titles and texts of the boxes shown, for compact comparisons.
std::string box_log(const ScriptedDialogs& d);

}  // namespace vellumet::testing
