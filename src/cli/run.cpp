#include "cli/run.h"

#include <clocale>
#include <filesystem>
#include <vector>

#include "base/file_ops.h"
#include "base/messages.h"
#include "base/program_folder.h"
#include "cli/console_dialogs.h"
#include "cli/download_file.h"
#include "cli/dry_run.h"
#include "commands/create_html.h"
#include "commands/file_reports.h"
#include "commands/options.h"
#include "commands/start_up.h"
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
  if (o.download) s.window.set_check(CheckBox::Check2, kChecked);  // the file comes per folder
}

// A folder argument: the folder as the system resolves it (through every
// link and ".."), or, when it does not resolve, as given.
struct Given {
  std::string folder;
  bool resolved = false;
};

Given given(const std::string& arg) {
  std::string folder = real_path(arg);
  if (!folder.empty()) return {folder, true};
  return {unresolved_folder(arg), false};
}

// The --download file, to be offered from every folder that resolves: a
// usage error ("" when there is none) when it is no file or lies outside one.
std::string download_error(const Console& console, const std::string& arg, const std::string& file,
                           const FileResult& why, const std::vector<Given>& folders) {
  if (!why.ok)
    return msg::lines({msg::fill(msg::kCliDownloadMissing, {console.quoted(arg)}), why.reason});
  for (const Given& g : folders) {
    if (g.resolved && path_from(g.folder, file).empty())
      return msg::fill(msg::kCliDownloadOutside, {console.quoted(arg), console.quoted(g.folder)});
  }
  return {};
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
// folder list would, applies the per-folder choices and presses "HTML作成"
// (or prints the plan).
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
  if (o.player) s.window.set_check(CheckBox::Check1, *o.player ? kChecked : kUnchecked);
  if (o.download) s.window.set_text(TextField::Text5, path_from(folder, download));
  if (o.count) s.window.set_text(TextField::Text2, *o.count);

  if (o.dry_run) return print_plan(s.job, console, o.clean).ok ? Ending::Done : Ending::Failed;
  return slide_html_click(s.job).ending;
}

}  // namespace

bool command_line_wanted(int argc, char** argv) {
  return wants_command_line(arguments(argc, argv));
}

int run(const Options& options, Console& console, const std::string& program) {
  std::vector<Given> folders;
  for (const std::string& arg : options.folders) folders.push_back(given(arg));
  std::string download;
  if (options.download) {
    FileResult why;
    download = download_file(*options.download, why);
    const std::string error = download_error(console, *options.download, download, why, folders);
    if (!error.empty()) {
      console.err_line(error);
      console.err_line(msg::kCliUsageHint);
      return kExitUsage;
    }
  }
  Session session(console, options, program);
  start(session, options);
  const std::size_t n = folders.size();
  const bool progress = n > 1 && console.err_is_terminal();
  std::vector<std::pair<Ending, std::string>> results;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& folder = folders[i].folder;
    if (progress) {
      console.err_line("");
      console.err_line(msg::fill(
          msg::kCliProgress, {std::to_string(i + 1), std::to_string(n), console.quoted(folder)}));
    }
    results.emplace_back(convert(session, console, options, folder, folders[i].resolved, download),
                         folder);
  }
  bool all_done = true;
  if (n > 1) console.err_line("");
  for (const auto& [ending, folder] : results) {
    if (n > 1)
      console.out_line(msg::fill(msg::kCliSummary,
                                 {summary_word(ending, options.dry_run), console.quoted(folder)}));
    all_done = all_done && ending == Ending::Done;
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
