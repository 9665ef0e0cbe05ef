// Turns an export folder into a viewer with the real generator, as the
// program does after "HTML作成": slide detection, the icon list, the options,
// then the Create-HTML command with every question answered Yes except the
// clean-up offer. Used by the browser tests and the viewer benchmark.
//
//   make_viewer --program-folder DIR --folder EXPORT [--style 0..3]
//               [--icons standard|custom] [--player] [--download FILE]
//               [--page NAME] [--count TEXT] [--codeset NAME]
//
// Arguments are UTF-8. --codeset sets the code page of the text files (an
// iconv name; UTF-8 without it); FILE and NAME are then given to the program
// in that code page, as a file dialog under such a locale gives them.
//
// Exits 0 when the completion box was shown, 1 otherwise (every box shown is
// printed on stderr), 2 on bad arguments.

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "base/codec.h"
#include "base/messages.h"
#include "commands/create_html.h"
#include "commands/options.h"
#include "commands/start_up.h"
#include "job/job.h"
#include "job/memory_window.h"
#include "scripted_dialogs.h"
#include "source/slide_set.h"

namespace {

using vellumet::Answer;
using vellumet::MessageBox;

// Yes to every question except the offer to delete the export's leftovers, so
// the fixture folder keeps its files.
class FixtureDialogs : public vellumet::testing::ScriptedDialogs {
 public:
  Answer show(const MessageBox& box) override {
    if (box.title == vellumet::msg::kGomiTitle && box.buttons == vellumet::BoxButtons::YesNo) {
      answers.push_front(Answer::No);
    }
    return ScriptedDialogs::show(box);
  }
};

struct Options {
  std::string program_folder;
  std::string folder;
  int style = 0;
  bool custom = false;
  bool player = false;
  std::optional<std::string> download;
  std::optional<std::string> page;
  std::optional<std::string> count;
  std::string codeset = "UTF-8";
};

int usage(const std::string& why) {
  std::cerr << "make_viewer: " << why << "\n"
            << "usage: make_viewer --program-folder DIR --folder EXPORT [--style 0..3]"
               " [--icons standard|custom] [--player] [--download FILE] [--page NAME]"
               " [--count TEXT] [--codeset NAME]\n";
  return 2;
}

std::optional<Options> parse(int argc, char** argv, std::string& error) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    std::optional<std::string> v;
    if (arg == "--player") {
      o.player = true;
      continue;
    }
    if (!(v = value())) {
      error = "missing value for " + std::string(arg);
      return std::nullopt;
    }
    if (arg == "--program-folder") {
      o.program_folder = *v;
    } else if (arg == "--folder") {
      o.folder = *v;
    } else if (arg == "--style") {
      if (v->size() != 1 || (*v)[0] < '0' || (*v)[0] > '3') {
        error = "--style takes 0, 1, 2 or 3";
        return std::nullopt;
      }
      o.style = (*v)[0] - '0';
    } else if (arg == "--icons") {
      if (*v != "standard" && *v != "custom") {
        error = "--icons takes standard or custom";
        return std::nullopt;
      }
      o.custom = *v == "custom";
    } else if (arg == "--download") {
      o.download = *v;
    } else if (arg == "--page") {
      o.page = *v;
    } else if (arg == "--count") {
      o.count = *v;
    } else if (arg == "--codeset") {
      o.codeset = *v;
    } else {
      error = "unknown argument " + std::string(arg);
      return std::nullopt;
    }
  }
  if (o.program_folder.empty() || o.folder.empty()) {
    error = "--program-folder and --folder are required";
    return std::nullopt;
  }
  while (o.folder.size() > 1 && o.folder.ends_with('/')) o.folder.pop_back();
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  auto options = parse(argc, argv, error);
  if (!options) return usage(error);
  const Options& o = *options;

  vellumet::MemoryWindow window;
  FixtureDialogs dialogs;
  dialogs.default_answer = Answer::Yes;
  vellumet::Job job(window, dialogs, o.program_folder, o.codeset);
  const vellumet::Codec codec(o.codeset);
  auto local = [&](const std::string& utf8) { return codec.encode(vellumet::utf8_decode(utf8)); };

  // Start-up reads the standard list; choosing the custom set reads the other.
  vellumet::form_load(job);
  if (o.custom) vellumet::icon_custom_click(job);

  vellumet::preview_pic(job, o.folder);
  if (job.state.src_dir.empty()) {
    std::cerr << "make_viewer: no slide set found in " << o.folder << "\n";
    return 1;
  }
  // The frame style dialog's choice, made after the icon list was read.
  job.state.frame_style = o.style;
  window.set_check(vellumet::CheckBox::Check1,
                   o.player ? vellumet::kChecked : vellumet::kUnchecked);
  window.set_check(vellumet::CheckBox::Check2,
                   o.download ? vellumet::kChecked : vellumet::kUnchecked);
  if (o.download) window.set_text(vellumet::TextField::Text5, local(*o.download));
  if (o.page) window.set_text(vellumet::TextField::Text3, local(*o.page));
  if (o.count) window.set_text(vellumet::TextField::Text2, *o.count);

  vellumet::slide_html_click(job);

  bool done = !dialogs.shown.empty() && dialogs.shown.back().title == vellumet::msg::kCreateTitle &&
              dialogs.shown.back().text == vellumet::msg::kDone;
  if (!done) {
    std::cerr << "make_viewer: the viewer was not made. Boxes shown:\n";
    for (const auto& box : dialogs.shown) {
      std::cerr << "--- " << box.title << "\n" << box.text << "\n";
    }
    return 1;
  }
  return 0;
}
