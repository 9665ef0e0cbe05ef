// Makes the show of a PDF deck with the deck layer, as the program will, for
// the browser tests:
//
//   vellumet_make_show DECK.pdf OUT_FOLDER
//
// Exits 0 with the show made in OUT_FOLDER (which must not exist yet), 1
// with the failure on stderr.
#include <cstdio>

#include "deck/make_show.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s DECK.pdf OUT_FOLDER\n", argv[0]);
    return 2;
  }
  vellumet::deck::Options options;
  options.width = 1280;
  const vellumet::deck::Outcome made = vellumet::deck::make_show({argv[1], argv[2]}, options);
  if (made.ok()) return 0;
  std::fprintf(stderr, "%s: %s\n", made.result.file.c_str(), made.result.reason.c_str());
  return 1;
}
