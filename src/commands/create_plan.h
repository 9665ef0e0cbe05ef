#pragma once

#include <string>
#include <vector>

#include "generator/page_writers.h"
#include "job/job.h"
#include "source/listing.h"

namespace vellumet {

// What Create HTML does to the source folder once the user has agreed. The
// command follows these plans step by step; a dry run prints them.

struct Rename {
  std::string from;  // names inside src_dir
  std::string to;
};
struct RenamePlan {
  std::vector<Rename> renames;
  // The first `series` renames give a numbered series its slide names; they
  // are done all or none.
  std::size_t series = 0;
  // Why nothing may be renamed (renames then empty): src_dir could not be
  // listed (step List), or its numbered images cannot be the slides (step
  // Check). `failure_text` is the box saying so.
  FileResult failure;
  std::string failure_text;
};

// The renames, from one listing of src_dir. The slides first: for a
// numbered series (source/numbered_series.h), each image whose name differs
// from "img" + its place in number order as three digits or more + "." + its
// slide extension, ordered so that none needs a name another still holds;
// when another file holds one of those names, the plan fails (step Check)
// before anything is renamed. Otherwise each slide image of extension `ext` whose normalised name
// differs, in listing order. Then, with the player option on, the first
// "*.ppz" file to pres0.ppz.
RenamePlan plan_renames(const Job& job, const std::string& ext);
// The same from `listing`, the normal files src_dir holds or will hold.
RenamePlan plan_renames(const Job& job, const std::string& ext, const Listing& listing);

// `renames` reordered so that a rename whose new name is the old name of
// another (letter case aside) comes after that other one; the rest keep
// their order. Renames that would wait on each other in a ring keep theirs.
std::vector<Rename> ordered_renames(std::vector<Rename> renames);

// For each rename of `plan`, in order, whether its new name will be held
// when its turn comes (inside `dir`, which ends in "/"): by a file there now
// that no earlier rename moves away, or by an earlier rename's file. A
// rename that only changes letter case is never held.
std::vector<bool> taken_targets(const RenamePlan& plan, const std::string& dir);

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
