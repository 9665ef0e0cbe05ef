#pragma once

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/console.h"
#include "deck/make_show.h"
#include "source/listing.h"

namespace vellumet::cli {

// True when the argument `arg` is a deck rather than a folder: it names no
// folder, and its name is a deck's (deck::is_deck_name) or it is a file, which
// is then refused as no deck.
bool is_deck_argument(const std::string& arg);

// A deck argument as the program names it: its folder resolved as the system
// resolves it (through links and ".."), its own name kept; made absolute from
// the working folder as given when its folder does not resolve.
std::string deck_path(const std::string& arg);

// The deck layer's options from the command line's.
deck::Options deck_options(const Options& options);

// The normal files of a deck's show once made as `plan` (deck::plan_show's
// success) says: what the folder holds now, less the old show's images and
// PDF, with the new ones. An office file's pages are not known yet: it
// stands for a show of one page.
Listing show_after(const deck::Outcome& plan);

// Makes the shows of `decks` (paths as deck_path gives them) side by side,
// into `out` when given (one deck). On a terminal a line on standard error
// tells how far they have got. SIGINT, SIGTERM and SIGHUP meanwhile stop
// every deck, leaving nothing behind; `signal_number` is then the first
// such signal's number, else 0. One outcome per deck, in their order.
std::vector<deck::Outcome> render_decks(const std::vector<std::string>& decks,
                                        const std::string& out, const Options& options,
                                        Console& console, int& signal_number);

}  // namespace vellumet::cli
