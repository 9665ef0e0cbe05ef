#include "cli/run.h"

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/file_ops.h"
#include "base/messages.h"
#include "base/program_folder.h"
#include "cli/console_dialogs.h"
#include "cli/deck_input.h"
#include "cli/download_file.h"
#include "cli/dry_run.h"
#include "commands/create_html.h"
#include "commands/file_reports.h"
#include "commands/options.h"
#include "commands/start_up.h"
#include "deck/files.h"
#include "deck/office.h"
#include "deck/show_folder.h"
#include "job/memory_window.h"
#include "source/listing.h"
#include "source/paths.h"
#include "source/slide_set.h"

namespace vellumet::cli {

namespace {

std::vector<std::string> arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// How a folder that does not resolve is named: as given, from the working
// folder.
std::string unresolved_folder(const std::string& arg) {
  std::error_code ec;
  std::string folder = arg.empty() ? arg : std::filesystem::absolute(arg, ec).string();
  return ec ? arg : folder;
}

// The main window without its widgets: the values, the seam and the job,
// wired as the window wires them.
struct Session {
  Session(Console& console, const Options& o, const std::string& program)
      : dialogs(console, {o.yes, o.clean}), job(window, dialogs, program) {
    window.on_check_changed = [this](CheckBox box) { on_check_changed(job, box); };
  }
  MemoryWindow window;
  ConsoleDialogs dialogs;
  Job job;
};

// The choices a user makes in the window before opening the folders.
void start(Session& s, const Options& o) {
  form_load(s.job);
  if (o.custom_icons) icon_custom_click(s.job);
  if (o.style) s.job.state.frame_style = *o.style;  // the frame style dialog's "Set"
  if (o.page) s.window.set_text(TextField::Text3, *o.page);
}

// One argument of --create: a folder, or a deck whose show is made first and
// then opened as a folder.
struct Input {
  std::string arg;     // as given
  std::string folder;  // resolved through every link and "..", else as given
  bool resolved = false;
  std::string deck;                   // a deck's path (deck_path); "" for a folder
  deck::Outcome show;                 // a deck: its plan, then how making its show ended
  std::optional<MessageBox> refusal;  // a deck: what the viewer's checks would refuse
  // How the input is named on the terminal: the folder, or the deck.
  const std::string& name() const { return deck.empty() ? folder : deck; }
};

Input given(const std::string& arg, const std::string& out) {
  Input in;
  in.arg = arg;
  if (is_deck_argument(arg)) {
    in.deck = deck_path(arg);
    in.folder = deck::show_folder_for(in.deck, out);
  } else {
    in.folder = arg;
  }
  std::string folder = real_path(in.folder);
  in.resolved = !folder.empty();
  in.folder = in.resolved ? folder : unresolved_folder(in.folder);
  return in;
}

// An option that does not fit the inputs, or a --download file (`file`, as
// download_file gives it, `why` when it is none) that is no file or lies
// outside a show folder: the usage error, "" when there is none. A deck's
// show that is not there yet holds no file.
std::string usage_error(const Console& console, const Options& o, const std::vector<Input>& inputs,
                        const std::string& file, const FileResult& why) {
  const auto deck =
      std::find_if(inputs.begin(), inputs.end(), [](const Input& in) { return !in.deck.empty(); });
  if (o.player.value_or(false) && deck != inputs.end())
    return msg::fill(msg::kCliPlayerWithDeck, {console.quoted(deck->arg)});
  if (o.out && std::count_if(inputs.begin(), inputs.end(),
                             [](const Input& in) { return !in.deck.empty(); }) != 1)
    return msg::kCliOutOneDeck;
  // Two decks would be made into one show at once.
  for (auto a = inputs.begin(); a != inputs.end(); ++a) {
    for (auto b = a + 1; b != inputs.end(); ++b) {
      if (deck::is_deck_name(a->deck) && deck::is_deck_name(b->deck) && a->folder == b->folder)
        return msg::fill(msg::kCliSameShow, {console.quoted(a->arg), console.quoted(b->arg),
                                             console.quoted(a->folder)});
    }
  }
  if (!o.download) return {};
  if (!why.ok)
    return msg::lines(
        {msg::fill(msg::kCliDownloadMissing, {console.quoted(*o.download)}), why.reason});
  for (const Input& in : inputs) {
    if ((in.resolved || !in.deck.empty()) && path_from(in.folder, file).empty())
      return msg::fill(msg::kCliDownloadOutside,
                       {console.quoted(*o.download), console.quoted(in.folder)});
  }
  return {};
}

// What Text5 holds for `in` (the download option is off when ""): the
// --download file from the show folder, else a deck's PDF in its show,
// unless --no-download.
std::string download_text(const Input& in, const Options& o, const std::string& download) {
  if (o.download) return path_from(in.folder, download);
  if (!in.deck.empty() && !o.no_download) return in.show.show.manifest.download;
  return {};
}

// The choices made for each folder once it is open, as in the window: the
// player option, the download file and the count.
void choose(Session& s, const Options& o, const std::string& download) {
  if (o.player) s.window.set_check(CheckBox::Check1, *o.player ? kChecked : kUnchecked);
  if (!download.empty()) s.window.set_text(TextField::Text5, download);
  s.window.set_check(CheckBox::Check2, download.empty() ? kUnchecked : kChecked);
  if (o.count) s.window.set_text(TextField::Text2, *o.count);
}

// What the viewer's checks would refuse in a deck's show once made, found
// before anything is made: the box detection or Create HTML would show;
// none when they would go on. The session is left as that show, opened.
std::optional<MessageBox> viewer_refusal(Session& s, const Options& o, const Input& in,
                                         const std::string& download) {
  const std::string& folder = in.show.show.folder;
  const Listing after = show_after(in.show);
  FoundSlides found = find_slides(s.job, folder, after);
  if (!found.refusal.empty()) return error_box(msg::kOpenFolderTitle, std::move(found.refusal));
  if (!found.set) return error_box(msg::kCreateTitle, msg::kNoSource);
  s.job.state.img_type = static_cast<std::int16_t>(found.set->img_type);
  dir_set(s.job, *found.set, after);
  choose(s, o, download_text(in, o, download));
  if (FileResult why = check_job(s.job); !why.ok) return error_box(msg::kCreateTitle, why.reason);
  return std::nullopt;
}

// The summary's word for how a folder's run ended.
const char* summary_word(Ending ending, bool dry_run) {
  switch (ending) {
    case Ending::Done:
      return dry_run ? msg::kCliPlanned : msg::kCliDone;
    case Ending::Stopped:
      return msg::kCliStopped;
    case Ending::Failed:
      break;
  }
  return msg::kCliFailed;
}

// Opens `folder` (as resolved; `resolved` false when it could not be) as the
// folder list would, applies the per-folder choices (`download`: Text5, ""
// for the download option off) and presses "HTML作成" (or prints the plan).
Ending convert(Session& s, Console& console, const Options& o, const std::string& folder,
               bool resolved, const std::string& download) {
  if (!resolved || !is_directory(folder)) {
    s.dialogs.show(
        error_box(msg::kCreateTitle, msg::fill(msg::kCliFolderMissing, {console.quoted(folder)})));
    return Ending::Failed;
  }
  Listing files;
  list_folder(folder, files);
  // A listing cut short by an error could still hold a first slide image.
  if (!files.read.ok) {
    s.dialogs.show(error_box(msg::kCreateTitle, list_failed_text(s.job, files.read)));
    return Ending::Failed;
  }
  bool refused = false;  // told why already
  if (!preview_pic(s.job, folder, files, &refused)) {
    if (refused) return Ending::Failed;
    s.dialogs.show(
        error_box(msg::kCreateTitle, msg::fill(msg::kCliNotSlideSet, {console.quoted(folder)})));
    return Ending::Failed;
  }
  choose(s, o, download);
  if (o.dry_run) return print_plan(s.job, console, o.clean).ok ? Ending::Done : Ending::Failed;
  return slide_html_click(s.job).ending;
}

// The box of a deck whose show could not be made, or would not be.
void show_failure(Session& s, const deck::Outcome& show) {
  s.dialogs.show(
      error_box(msg::kDeckTitle, deck::failure_message(show.failure, show.result, &s.dialogs)));
}

// A deck's turn: the box of a failure found before or while its show was
// made, or of what its viewer's checks refused, else its show converted as
// a folder. In a dry run, the same refusals in the plan's place, else the
// plan of the deck and then of its show as it will be.
Ending convert_deck(Session& s, Console& console, const Options& o, const Input& in,
                    const std::string& download) {
  if (!in.show.ok()) {
    show_failure(s, in.show);
    return Ending::Failed;
  }
  const std::string text = download_text(in, o, download);
  if (!o.dry_run) {
    if (in.refusal) {
      s.dialogs.show(*in.refusal);
      return Ending::Failed;
    }
    return convert(s, console, o, real_path(in.show.show.folder), true, text);
  }
  if (std::optional<MessageBox> refusal = viewer_refusal(s, o, in, download)) {
    print_refusal(console, in.deck, refusal->text);
    return Ending::Failed;
  }
  print_deck_plan(console, in.deck, in.show, text);
  if (deck::is_office_deck(in.deck)) return Ending::Done;
  const Listing after = show_after(in.show);
  return print_plan(s.job, console, o.clean, &after).ok ? Ending::Done : Ending::Failed;
}

}  // namespace

bool command_line_wanted(int argc, char** argv) {
  return wants_command_line(arguments(argc, argv));
}

int run(const Options& options, Console& console, const std::string& program) {
  std::string out;
  if (options.out) {
    out = real_path(*options.out);
    if (out.empty()) out = unresolved_folder(*options.out);
  }
  std::vector<Input> inputs;
  for (const std::string& arg : options.folders) inputs.push_back(given(arg, out));
  std::string download;
  FileResult why;
  if (options.download) download = download_file(*options.download, why);
  if (const std::string error = usage_error(console, options, inputs, download, why);
      !error.empty()) {
    console.err_line(error);
    console.err_line(msg::kCliUsageHint);
    return kExitUsage;
  }
  Session session(console, options, program);
  start(session, options);

  // Each deck's plan and what its viewer would refuse, before anything is
  // made; then the shows of those that can go on, side by side.
  std::vector<Input*> to_render;
  for (Input& in : inputs) {
    if (in.deck.empty()) continue;
    in.show = deck::plan_show({in.deck, out}, deck_options(options));
    if (!in.show.ok() || options.dry_run) continue;
    in.refusal = viewer_refusal(session, options, in, download);
    if (!in.refusal) to_render.push_back(&in);
  }
  if (!to_render.empty()) {
    std::vector<std::string> decks;
    for (const Input* in : to_render) decks.push_back(in->deck);
    int signal_number = 0;
    std::vector<deck::Outcome> made = render_decks(decks, out, options, console, signal_number);
    for (std::size_t i = 0; i < made.size(); ++i) to_render[i]->show = std::move(made[i]);
    if (signal_number != 0) {
      for (const Input* in : to_render) {
        if (!in->show.ok()) show_failure(session, in->show);
      }
      return 128 + signal_number;
    }
  }

  const std::size_t n = inputs.size();
  const bool progress = n > 1 && console.err_is_terminal();
  std::vector<Ending> endings;
  for (std::size_t i = 0; i < n; ++i) {
    const Input& in = inputs[i];
    if (progress) {
      console.err_line("");
      console.err_line(msg::fill(msg::kCliProgress, {std::to_string(i + 1), std::to_string(n),
                                                     console.quoted(in.name())}));
    }
    endings.push_back(
        in.deck.empty() ? convert(session, console, options, in.folder, in.resolved,
                                  options.download ? path_from(in.folder, download) : std::string())
                        : convert_deck(session, console, options, in, download));
  }
  bool all_done = true;
  if (n > 1) console.err_line("");
  for (std::size_t i = 0; i < n; ++i) {
    if (n > 1)
      console.out_line(msg::fill(msg::kCliSummary, {summary_word(endings[i], options.dry_run),
                                                    console.quoted(inputs[i].name())}));
    all_done = all_done && endings[i] == Ending::Done;
  }
  return all_done ? kExitDone : kExitNotDone;
}

namespace {

// The exit status of a run that ended with `status`: what it printed on
// standard output must have gone out too, else the run says so on standard
// error and has not done what it was asked.
int finished(Console& console, int status) {
  if (console.out_error() == 0) return status;
  console.err_line(msg::lines({msg::kCliOutputFailed, error_text(console.out_error())}));
  return status == kExitDone ? kExitNotDone : status;
}

int carry_out(Console& console, const Parsed& parsed) {
  switch (parsed.options.action) {
    case Options::Action::Help:
      for (const char* line : msg::kCliHelp) console.out_line(line);
      return kExitDone;
    case Options::Action::Version:
      console.out_line(msg::fill(msg::kCliVersion, {VELLUMET_VERSION}));
      return kExitDone;
    case Options::Action::Create:
      break;
  }
  if (!parsed.error.empty()) {
    console.err_line(parsed.error);
    console.err_line(msg::kCliUsageHint);
    return kExitUsage;
  }
  return run(parsed.options, console, program_folder());
}

}  // namespace

int command_line_main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  Console console(stdin, stdout, stderr);
  return finished(console, carry_out(console, parse_arguments(arguments(argc, argv))));
}

}  // namespace vellumet::cli
