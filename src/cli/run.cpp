#include "cli/run.h"

#include <clocale>
#include <filesystem>
#include <vector>

#include "base/file_ops.h"
#include "base/messages.h"
#include "base/program_folder.h"
#include "cli/console_dialogs.h"
#include "cli/dry_run.h"
#include "commands/create_html.h"
#include "commands/options.h"
#include "commands/start_up.h"
#include "job/memory_window.h"
#include "source/listing.h"
#include "source/slide_set.h"

namespace vellumet::cli {

namespace {

std::vector<std::string> arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// The folder as the folder list would give it: absolute, without "." or ".."
// steps, no final "/" except at the root.
std::string listed_folder(const std::string& arg) {
  if (arg.empty()) return arg;
  std::error_code ec;
  std::string folder = std::filesystem::absolute(arg, ec).lexically_normal().string();
  if (ec) folder = arg;
  while (folder.size() > 1 && folder.ends_with('/')) folder.pop_back();
  return folder;
}

// The main window without its widgets: the values, the seam and the job,
// wired as the window wires them.
struct Session {
  Session(Console& console, const Options& o, const std::string& program)
      : dialogs(console, {o.yes, o.clean, o.download}), job(window, dialogs, program) {
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
  if (o.download) s.window.set_check(CheckBox::Check2, kChecked);  // the dialog gives the file
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

// Opens `folder` as the folder list would, applies the per-folder choices and
// presses "HTML作成" (or prints the plan).
Ending convert(Session& s, Console& console, const Options& o, const std::string& folder) {
  if (folder.empty() || !is_directory(folder)) {
    s.dialogs.show(error_box(msg::kCreateTitle, msg::fill(msg::kCliFolderMissing, {folder})));
    return Ending::Failed;
  }
  Listing files;
  list_folder(folder, files);
  if (!preview_pic(s.job, folder, files)) {
    s.dialogs.show(error_box(msg::kCreateTitle,
                             files.read.ok ? msg::fill(msg::kCliNotSlideSet, {folder})
                                           : msg::paragraphs({msg::fill(msg::kListFailed, {folder}),
                                                              files.read.reason})));
    return Ending::Failed;
  }
  if (o.player) s.window.set_check(CheckBox::Check1, *o.player ? kChecked : kUnchecked);
  if (o.count) s.window.set_text(TextField::Text2, *o.count);

  if (o.dry_run) return print_plan(s.job, console, o.clean).ok ? Ending::Done : Ending::Failed;
  return slide_html_click(s.job).ending;
}

}  // namespace

bool command_line_wanted(int argc, char** argv) {
  return wants_command_line(arguments(argc, argv));
}

int run(const Options& options, Console& console, const std::string& program) {
  Session session(console, options, program);
  start(session, options);
  const std::size_t n = options.folders.size();
  const bool progress = n > 1 && console.err_is_terminal();
  std::vector<std::pair<Ending, std::string>> results;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string folder = listed_folder(options.folders[i]);
    if (progress) {
      console.err_line("");
      console.err_line(
          msg::fill(msg::kCliProgress, {std::to_string(i + 1), std::to_string(n), folder}));
    }
    results.emplace_back(convert(session, console, options, folder), folder);
  }
  bool all_done = true;
  if (n > 1) console.err_line("");
  for (const auto& [ending, folder] : results) {
    if (n > 1)
      console.out_line(
          msg::fill(msg::kCliSummary, {summary_word(ending, options.dry_run), folder}));
    all_done = all_done && ending == Ending::Done;
  }
  return all_done ? kExitDone : kExitNotDone;
}

int command_line_main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  Console console(stdin, stdout, stderr);
  const Parsed parsed = parse_arguments(arguments(argc, argv));
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

}  // namespace vellumet::cli
