#include "commands/create_html.h"

#include <cerrno>
#include <cmath>
#include <string>

#include "base/ascii.h"
#include "base/file_ops.h"
#include "base/messages.h"
#include "base/number_text.h"
#include "base/temporary_files.h"
#include "commands/clean_up.h"
#include "commands/create_plan.h"
#include "commands/file_reports.h"
#include "source/file_names.h"
#include "source/leftovers.h"
#include "source/show_manifest.h"

namespace vellumet {

namespace {

// An entry page name must stay inside the show folder.
bool plain_file_name(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

// An entry page name under which writing the page would destroy another file:
// one of the show's own files (letter case aside, for case-insensitive
// volumes), the download file, or anything already there that is not a page.
bool replaces_other_file(const Job& job, const std::string& page) {
  const std::string folded = ascii_lower(page);
  if (is_show_file(folded)) return true;
  const std::string download = protected_download_name(job);
  if (!download.empty() && ascii_lower(download) == folded) return true;
  // The download file under any other spelling (a link, "..", a hard link).
  if (same_file(download_path(job), job.state.src_dir + page)) return true;
  return !is_page_name(page) && path_exists(job.state.src_dir + page);
}

// A folder where a page is to go: renaming the page over it would fail.
const std::string* page_taken_by_folder(const std::vector<OutputStep>& steps,
                                        const std::string& dir) {
  for (const OutputStep& step : steps) {
    for (const std::string& file : step.files) {
      if (file.find('/') == std::string::npos && is_real_folder(dir + file)) return &file;
    }
  }
  return nullptr;
}

// Each step below returns Done when the command may go on.
bool ended(const CommandResult& r) {
  return r.ending != Ending::Done;
}

// The command ends here, after a box saying why.
CommandResult failed(Job& job, FileResult why, const std::string& text) {
  job.dialogs.show(error_box(msg::kCreateTitle, text));
  return {Ending::Failed, std::move(why)};
}

// A question about going on: Yes goes on, No stops the command.
CommandResult ask_go_on(Job& job, const std::string& title, const std::string& text) {
  const bool yes = job.dialogs.show(question_box(title, text)) == Answer::Yes;
  return {yes ? Ending::Done : Ending::Stopped, {}};
}

std::string confirmation(const Job& job) {
  std::vector<std::string> plan = {
      msg::fill(msg::kConfirmSource, {job.dialogs.shown_name(job.state.src_dir)}),
      msg::fill(msg::kConfirmPage, {job.dialogs.shown_name(job.window.text(TextField::Text3))}),
  };
  if (job.window.check(CheckBox::Check1) == kChecked) plan.push_back(msg::kConfirmPlayer);
  if (job.window.check(CheckBox::Check2) == kChecked) plan.push_back(msg::kConfirmDownload);
  return msg::paragraphs({msg::kConfirmHead, msg::indented(plan), msg::kConfirmAsk});
}

// The download file has been renamed to `to`: Text5, and so the link, name
// it anew, in the same folder spelt as before.
void follow_download(Job& job, const std::string& to) {
  std::string text = job.window.text(TextField::Text5);
  const std::size_t slash = text.rfind('/');
  text.replace(slash == std::string::npos ? 0 : slash + 1, std::string::npos, to);
  job.window.set_text(TextField::Text5, text);
}

// Renames without replacing; a name already taken asks whether to go on.
CommandResult rename_or_ask(Job& job, const Rename& rename) {
  const std::string& dir = job.state.src_dir;
  const bool offered = same_file(download_path(job), dir + rename.from);
  FileResult r = rename_no_replace(dir + rename.from, dir + rename.to);
  if (r.ok) {
    if (offered) follow_download(job, rename.to);
    return {};
  }
  const std::string from = job.dialogs.shown_name(rename.from);
  const std::string to = job.dialogs.shown_name(rename.to);
  if (r.error == EEXIST) {
    return ask_go_on(
        job, msg::kCreateTitle,
        msg::paragraphs({msg::fill(msg::kRenameExists, {from, to, to}), msg::kKeepAndGoOn}));
  }
  const std::string text = msg::paragraphs({msg::fill(msg::kRenameFailed, {from, to}), r.reason});
  return failed(job, std::move(r), text);
}

// Rename `at` of the plan's numbered series. When it fails, the series'
// renames done before it are undone, last first, and a box says so.
CommandResult rename_in_series(Job& job, const RenamePlan& plan, std::size_t at) {
  const std::string& dir = job.state.src_dir;
  const Rename& rename = plan.renames[at];
  FileResult r = rename_no_replace(dir + rename.from, dir + rename.to);
  if (r.ok) return {};
  std::vector<std::string> not_undone;
  for (std::size_t i = at; i-- > 0;) {
    const Rename& done = plan.renames[i];
    if (!rename_no_replace(dir + done.to, dir + done.from).ok)
      not_undone.push_back(msg::fill(msg::kSeriesRenamed, {done.to, done.from}));
  }
  std::vector<std::string> text = {msg::fill(msg::kRenameFailed, {rename.from, rename.to}),
                                   r.reason};
  if (not_undone.empty()) {
    text.push_back(msg::kSeriesUndone);
  } else {
    text.push_back(msg::kSeriesNotUndone);
    text.push_back(msg::indented(not_undone));
  }
  return failed(job, std::move(r), msg::paragraphs(text));
}

CommandResult normalise_names(Job& job, const std::string& ext) {
  RenamePlan plan = plan_renames(job, ext);
  if (!plan.failure.ok) return failed(job, std::move(plan.failure), plan.failure_text);
  CommandResult r;
  for (std::size_t i = 0; i < plan.renames.size(); ++i) {
    r = i < plan.series ? rename_in_series(job, plan, i) : rename_or_ask(job, plan.renames[i]);
    if (ended(r)) return r;
  }
  return r;
}

// What runs ended by force left in the show folder and in its buttons/ is
// removed before this run writes. A show folder that cannot be read ends the
// command; buttons/ is the copier's, which never fails it.
CommandResult remove_dead_temporaries(Job& job) {
  std::vector<std::string> removed;
  FileResult r = dead_temporaries(job.state.src_dir, removed, true);
  if (!r.ok) {
    const std::string text = list_failed_text(job, r);
    return failed(job, std::move(r), text);
  }
  const std::string buttons = job.state.src_dir + kButtonFolder;
  if (is_real_folder(buttons)) (void)dead_temporaries(buttons + "/", removed, true);
  return {};
}

// "<name> was not found", then whether to go on.
CommandResult ask_missing(Job& job, const std::string& title, const std::string& name) {
  return ask_go_on(job, title, msg::paragraphs({msg::fill(msg::kNotFound, {name}), msg::kGoOn}));
}

// A file the show needs is there, or the user agrees to go on without it. One
// the system cannot look at (not merely missing) ends the command.
CommandResult present_or_ask(Job& job, const char* title, const std::string& name) {
  bool present = false;
  FileResult looked = look_for_normal_file(job.state.src_dir + name, present);
  if (!looked.ok) {
    const std::string text = msg::paragraphs(
        {msg::fill(msg::kCannotLookAt, {job.dialogs.shown_name(looked.file)}), looked.reason});
    return failed(job, std::move(looked), text);
  }
  return present ? CommandResult{} : ask_missing(job, title, name);
}

CommandResult check_presence(Job& job, const std::string& ext) {
  CommandResult r;
  for (long i = 1; i <= job.state.slide_count; ++i) {
    if (ended(r = present_or_ask(job, msg::kImageTitle, slide_image_name(i, ext)))) return r;
  }
  if (job.window.check(CheckBox::Check1) == kChecked)
    r = present_or_ask(job, msg::kPptTitle, kPlayerFile);
  return r;
}

CommandResult written(Job& job, FileResult r) {
  if (r.ok) return {};
  const char* pattern = r.step == FileStep::Read ? msg::kTemplateFailed : msg::kPageFailed;
  const std::string text =
      msg::paragraphs({msg::fill(pattern, {job.dialogs.shown_name(r.file)}), r.reason});
  return failed(job, std::move(r), text);
}

// The title and the slides' texts of a show made from a deck. Texts kept
// for another number of slides than the folder holds could name the wrong
// slides, so they are left out; the title stays the deck's.
void read_show_text(JobState& s) {
  s.deck_title.clear();
  s.slide_texts.clear();
  Manifest manifest;
  if (!read_manifest(s.src_dir, manifest)) return;
  s.deck_title = manifest.title;
  if (manifest.pages() == s.slide_count) s.slide_texts = std::move(manifest.texts);
}

}  // namespace

FileResult check_job(const Job& job) {
  const JobState& s = job.state;
  auto refused = [](const std::string& file, std::string text) {
    return FileResult::failure(FileStep::Check, file, 0, std::move(text));
  };
  if (s.src_dir == "") return refused("", msg::kNoSource);
  const std::string page = job.window.text(TextField::Text3);
  const std::string shown_page = job.dialogs.shown_name(page);
  if (!plain_file_name(page)) return refused(page, msg::fill(msg::kBadPageName, {shown_page}));
  if (replaces_other_file(job, page))
    return refused(s.src_dir + page, msg::fill(msg::kPageNameTaken, {shown_page}));
  // The slide list has a line per slide: an absurd count would fill the disk.
  const std::string count_text = job.window.text(TextField::Text2);
  const double count = read_number(count_text);
  if (!(count <= 32767.0)) return refused("", msg::fill(msg::kTooManySlides, {count_text}));
  if (std::isinf(count)) return refused("", msg::fill(msg::kCountOutOfRange, {count_text}));
  const std::vector<OutputStep> steps = output_steps(job);
  if (const std::string* file = page_taken_by_folder(steps, s.src_dir))
    return refused(s.src_dir + *file,
                   msg::fill(msg::kPageIsFolder, {job.dialogs.shown_name(*file)}));
  return {};
}

CommandResult slide_html_click(Job& job) {
  JobState& s = job.state;
  s.app_dir = job.program_folder;
  if (FileResult why = check_job(job); !why.ok) {
    const std::string text = why.reason;
    return failed(job, std::move(why), text);
  }
  CommandResult r;
  if (s.slide_count == 0 &&
      ended(r = ask_go_on(job, msg::kCountTitle, msg::paragraphs({msg::kNoCount, msg::kGoOn})))) {
    return r;
  }
  if (ended(r = ask_go_on(job, msg::kCreateTitle, confirmation(job)))) return r;

  if (ended(r = remove_dead_temporaries(job))) return r;
  const std::string ext = image_extension(s.img_type);
  if (ended(r = normalise_names(job, ext))) return r;
  if (ended(r = check_presence(job, ext))) return r;

  s.last_slide[1] = read_number(job.window.text(TextField::Text2));
  read_show_text(s);
  s.show_title[1] = s.deck_title.empty() ? msg::kShowTitle : s.deck_title;
  s.down_file_name[1] = job.window.text(TextField::Text5);

  for (const OutputStep& step : output_steps(job)) {
    if (ended(r = written(job, step.write(job)))) return r;
  }

  // A fresh scan: the list must not name a page this run has just written.
  FileResult cleaned = scan_gomi(job, msg::kCreateTitle);
  if (cleaned.ok && s.gomi_count > 0) cleaned = delete_gomi(job, msg::kCleanupPrefix);
  if (!cleaned.ok) return {Ending::Failed, std::move(cleaned)};
  job.dialogs.show(info_box(msg::kCreateTitle, msg::kDone));
  return {};
}

}  // namespace vellumet
