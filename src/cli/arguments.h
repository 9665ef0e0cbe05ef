#pragma once

#include <optional>
#include <string>
#include <vector>

#include "deck/image_format.h"

namespace vellumet::cli {

// What the command line asks for. Unset options leave the window's value as
// start-up and slide detection set it.
struct Options {
  enum class Action { Create, Help, Version };
  Action action = Action::Create;
  std::vector<std::string> folders;     // folders and decks, as given, in order
  std::optional<std::string> page;      // Text3
  std::optional<std::string> count;     // Text2, digits only
  std::optional<int> style;             // frame style 0..3
  std::optional<bool> player;           // Check1
  std::optional<std::string> download;  // Check2 on, the file chosen for Text5
  bool no_download = false;             // a deck's PDF is not offered either
  // How decks are made into shows (deck/make_show.h).
  std::optional<int> width;
  std::optional<deck::ImageFormat> image;
  std::optional<std::string> out;  // the one deck's show folder
  std::optional<int> jobs;
  bool custom_icons = false;  // the icon menu's icon_custom
  bool clean = false;         // the answer to the clean-up offer
  bool yes = false;           // Yes to every other question
  bool dry_run = false;
};

struct Parsed {
  Options options;
  std::string error;  // a usage error, in Japanese; "" when the arguments are sound
};

// True when the arguments (without the program name) ask for the command line
// rather than the window: --help, --version or an option of the command line
// other than --style (which the window takes as Qt's own) before any "--".
bool wants_command_line(const std::vector<std::string>& args);

// Reads the arguments (without the program name). Every argument starting
// with "-" is an option until "--"; options take their value as the next
// argument or after "=". --help and --version win over everything else.
Parsed parse_arguments(const std::vector<std::string>& args);

}  // namespace vellumet::cli
