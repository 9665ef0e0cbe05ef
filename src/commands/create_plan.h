#pragma once

#include <string>
#include <vector>

#include "generator/page_writers.h"
#include "job/job.h"

namespace vellumet {

// What Create HTML does to the source folder once the user has agreed. The
// command follows these plans step by step; a dry run prints them.

struct Rename {
  std::string from;  // names inside src_dir
  std::string to;
};
struct RenamePlan {
  std::vector<Rename> renames;
  FileResult listed;  // a failure when src_dir could not be listed (renames then empty)
};

// The renames for slide images of extension `ext`, from one listing of
// src_dir: each slide image whose normalised name differs, in listing order,
// then, with the player option on, the first "*.ppz" file to pres0.ppz.
RenamePlan plan_renames(const Job& job, const std::string& ext);

// One writing step: the files it writes (relative to src_dir) and the writer.
struct OutputStep {
  std::vector<std::string> files;
  FileResult (*write)(Job& job);
};

// The writing steps for the current options, in order: the entry page, the
// button images (custom icons only), the navigation bar, the player page
// (player option only).
std::vector<OutputStep> output_steps(const Job& job);

}  // namespace vellumet
