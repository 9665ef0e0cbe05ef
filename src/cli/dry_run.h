#pragma once

#include <string>

#include "base/file_result.h"
#include "cli/console.h"
#include "deck/make_show.h"
#include "job/job.h"
#include "source/listing.h"

namespace vellumet::cli {

// Prints on standard output what Create HTML would do in the job's source
// folder with the current options: the renames, the files written and the
// leftovers it would offer to delete (and whether `clean` deletes them). Built
// from the checks and plans the command itself follows; changes no file. A
// failure when the command would refuse the job (the refusal printed in the
// plan's place) or, after the command's own report, when the folder cannot be
// read. With `after`, the folder's normal files are taken to be those it
// lists (a deck's show as it will be once made) rather than those it holds now.
FileResult print_plan(Job& job, Console& console, bool clean, const Listing* after = nullptr);

// Prints on standard output the plan of `name` (a folder or a deck) that the
// run would refuse before changing anything, for the reason `refusal`.
void print_refusal(Console& console, const std::string& name, const std::string& refusal);

// Prints on standard output what making the show of `deck` would do, as
// deck::plan_show found it (`plan`, a success): the folder made or updated,
// the pages and how they are written, the file offered for download
// (`download`, "" for none); for an office file, that the viewer's plan waits
// for the page count.
void print_deck_plan(Console& console, const std::string& deck, const deck::Outcome& plan,
                     const std::string& download);

}  // namespace vellumet::cli
