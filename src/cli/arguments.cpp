#include "cli/arguments.h"

#include <algorithm>
#include <string_view>

#include "base/codec.h"
#include "base/messages.h"
#include "cli/console.h"
#include "deck/image_size.h"

namespace vellumet::cli {

namespace {

// The options without a value, and those with one. "--style" is the window's
// too (Qt's style), so alone it does not ask for the command line.
constexpr std::string_view kFlags[] = {"--create",   "--yes",    "--dry-run",   "--clean",
                                       "--no-clean", "--player", "--no-player", "--no-download"};
constexpr std::string_view kWithValue[] = {"--page",  "--count", "--style", "--download", "--icons",
                                           "--width", "--image", "--out",   "--jobs"};
// The most decks and pages worked on at once.
constexpr int kMostJobs = 256;

template <std::size_t N>
bool one_of(const std::string_view (&names)[N], std::string_view name) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

bool all_digits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// `text` as a number from `low` to `high`, digits only.
std::optional<int> number_in(std::string_view text, int low, int high) {
  if (!all_digits(text) || text.size() > 6) return std::nullopt;
  const int n = std::stoi(std::string(text));
  if (n < low || n > high) return std::nullopt;
  return n;
}

// Options before "--", each without a value given after "=".
std::vector<std::string_view> option_names(const std::vector<std::string>& args) {
  std::vector<std::string_view> names;
  for (std::string_view arg : args) {
    if (arg == "--") break;
    if (arg.starts_with("--")) names.push_back(arg.substr(0, arg.find('=')));
  }
  return names;
}

bool has(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool wants_command_line(const std::vector<std::string>& args) {
  for (std::string_view name : option_names(args)) {
    if (name == "--help" || name == "--version" || one_of(kFlags, name) ||
        (one_of(kWithValue, name) && name != "--style"))
      return true;
  }
  return false;
}

Parsed parse_arguments(const std::vector<std::string>& args) {
  // An argument in a message is shown as the terminal can show it.
  const Codec codec;
  auto shown = [&codec](std::string_view arg) { return quoted_name(arg, codec); };
  Parsed p;
  Options& o = p.options;
  auto names = option_names(args);
  if (has(names, "--help")) {
    o.action = Options::Action::Help;
    return p;
  }
  if (has(names, "--version")) {
    o.action = Options::Action::Version;
    return p;
  }

  bool create = false;
  bool options_end = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_end || !arg.starts_with('-') || arg == "-") {
      o.folders.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_end = true;
      continue;
    }
    std::size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    std::optional<std::string> inline_value;
    if (eq != std::string::npos) inline_value = arg.substr(eq + 1);

    // Options without a value.
    const bool flag = one_of(kFlags, name);
    if (name == "--create") {
      create = true;
    } else if (name == "--yes") {
      o.yes = true;
    } else if (name == "--dry-run") {
      o.dry_run = true;
    } else if (name == "--clean" || name == "--no-clean") {
      o.clean = name == "--clean";
    } else if (name == "--player" || name == "--no-player") {
      o.player = name == "--player";
    } else if (name == "--no-download") {
      o.no_download = true;
      o.download.reset();
    }
    if (flag) {
      if (inline_value) {
        p.error = msg::fill(msg::kCliNoValue, {shown(name)});
        return p;
      }
      continue;
    }

    // Options with a value.
    if (!one_of(kWithValue, name)) {
      p.error = msg::fill(msg::kCliUnknownOption, {shown(name)});
      return p;
    }
    std::string value;
    if (inline_value) {
      value = *inline_value;
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      p.error = msg::fill(msg::kCliMissingValue, {shown(name)});
      return p;
    }
    if (name == "--page") {
      o.page = value;
    } else if (name == "--count") {
      if (!all_digits(value)) {
        p.error = msg::fill(msg::kCliBadCount, {shown(value)});
        return p;
      }
      o.count = value;
    } else if (name == "--style") {
      if (value.size() != 1 || value[0] < '0' || value[0] > '3') {
        p.error = msg::fill(msg::kCliBadStyle, {shown(value)});
        return p;
      }
      o.style = value[0] - '0';
    } else if (name == "--download") {
      o.download = value;
      o.no_download = false;
    } else if (name == "--width") {
      o.width = number_in(value, deck::kMinWidth, deck::kMaxWidth);
      if (!o.width) {
        p.error = msg::fill(msg::kCliBadWidth, {std::to_string(deck::kMinWidth),
                                                std::to_string(deck::kMaxWidth), shown(value)});
        return p;
      }
    } else if (name == "--image") {
      deck::ImageFormat format{};
      if (!deck::parse_format(value, format)) {
        p.error = msg::fill(msg::kCliBadImage, {shown(value)});
        return p;
      }
      o.image = format;
    } else if (name == "--out") {
      if (value.empty()) {
        p.error = msg::fill(msg::kCliMissingValue, {shown(name)});
        return p;
      }
      o.out = value;
    } else if (name == "--jobs") {
      o.jobs = number_in(value, 1, kMostJobs);
      if (!o.jobs) {
        p.error = msg::fill(msg::kCliBadJobs, {std::to_string(kMostJobs), shown(value)});
        return p;
      }
    } else if (value == "standard" || value == "custom") {
      o.custom_icons = value == "custom";
    } else {
      p.error = msg::fill(msg::kCliBadIcons, {shown(value)});
      return p;
    }
  }
  if (!create) {
    p.error = msg::kCliNoCreate;
  } else if (o.folders.empty()) {
    p.error = msg::kCliNoFolder;
  }
  return p;
}

}  // namespace vellumet::cli
