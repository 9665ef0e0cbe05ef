#pragma once

#include <string>

#include "deck/make_show.h"

class QWidget;

namespace vellumet::ui {

// How a deck's conversion in the window ended: the deck layer's outcome, and
// the signal (SIGINT, SIGTERM, SIGHUP) that cancelled it, 0 for none.
struct DeckRun {
  deck::Outcome outcome;
  int signal = 0;
};

// Makes the show of `deck` beside it on other threads, while a dialog modal
// to the whole program (over `parent`) shows how far it has got: reading the
// deck, LibreOffice converting it, then page n of N. Its cancel button, Esc
// and its close button stop the work; the dialog stays until the work has
// stopped, and so does a signal that would end the program. Window events go
// on meanwhile; returns once the work has ended.
DeckRun make_show_with_progress(QWidget* parent, const std::string& deck);

}  // namespace vellumet::ui
