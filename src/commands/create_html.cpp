#include "commands/create_html.h"

#include <cerrno>
#include <cmath>
#include <string>

#include "base/ascii.h"
#include "base/file_ops.h"
#include "base/messages.h"
#include "base/number_text.h"
#include "commands/clean_up.h"
#include "commands/create_plan.h"
#include "source/file_names.h"
#include "source/leftovers.h"

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
  return !is_page_name(page) && path_exists(job.state.src_dir + page);
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

// A check refused the job before any file was touched; `file` is the one
// concerned ("" for none).
CommandResult refused(Job& job, const std::string& file, const std::string& text) {
  return failed(job, FileResult::failure(FileStep::Check, file, 0, text), text);
}

// A question about going on: Yes goes on, No stops the command.
CommandResult ask_go_on(Job& job, const std::string& title, const std::string& text) {
  const bool yes = job.dialogs.show(question_box(title, text)) == Answer::Yes;
  return {yes ? Ending::Done : Ending::Stopped, {}};
}

// The slide count typed into Text2 into `count`, or a box saying why it
// cannot be used.
CommandResult usable_count(Job& job, double& count) {
  const std::string text = job.window.text(TextField::Text2);
  count = read_number(text);
  // The slide list has a line per slide: an absurd count would fill the disk.
  const char* refusal = !(count <= 32767.0) ? msg::kTooManySlides
                        : std::isinf(count) ? msg::kCountOutOfRange
                                            : nullptr;
  if (!refusal) return {};
  return refused(job, "", msg::fill(refusal, {text}));
}

std::string confirmation(const Job& job) {
  std::vector<std::string> plan = {
      msg::fill(msg::kConfirmSource, {job.state.src_dir}),
      msg::fill(msg::kConfirmPage, {job.window.text(TextField::Text3)}),
  };
  if (job.window.check(CheckBox::Check1) == kChecked) plan.push_back(msg::kConfirmPlayer);
  if (job.window.check(CheckBox::Check2) == kChecked) plan.push_back(msg::kConfirmDownload);
  return msg::paragraphs({msg::kConfirmHead, msg::indented(plan), msg::kConfirmAsk});
}

// Renames without replacing; a name already taken asks whether to go on.
CommandResult rename_or_ask(Job& job, const Rename& rename) {
  const std::string& dir = job.state.src_dir;
  FileResult r = rename_no_replace(dir + rename.from, dir + rename.to);
  if (r.ok) return {};
  if (r.error == EEXIST) {
    return ask_go_on(
        job, msg::kCreateTitle,
        msg::paragraphs({msg::fill(msg::kRenameExists, {rename.from, rename.to, rename.to}),
                         msg::kKeepAndGoOn}));
  }
  const std::string text =
      msg::paragraphs({msg::fill(msg::kRenameFailed, {rename.from, rename.to}), r.reason});
  return failed(job, std::move(r), text);
}

CommandResult normalise_names(Job& job, const std::string& ext) {
  RenamePlan plan = plan_renames(job, ext);
  if (!plan.listed.ok) {
    const std::string text =
        msg::paragraphs({msg::fill(msg::kListFailed, {job.state.src_dir}), plan.listed.reason});
    return failed(job, std::move(plan.listed), text);
  }
  CommandResult r;
  for (const Rename& rename : plan.renames) {
    if (ended(r = rename_or_ask(job, rename))) return r;
  }
  return r;
}

// "<name> was not found", then whether to go on.
CommandResult ask_missing(Job& job, const std::string& title, const std::string& name) {
  return ask_go_on(job, title, msg::paragraphs({msg::fill(msg::kNotFound, {name}), msg::kGoOn}));
}

CommandResult check_presence(Job& job, const std::string& ext) {
  CommandResult r;
  for (long i = 1; i <= job.state.slide_count; ++i) {
    std::string name = slide_image_name(i, ext);
    if (!is_normal_file(job.state.src_dir + name) &&
        ended(r = ask_missing(job, msg::kImageTitle, name))) {
      return r;
    }
  }
  if (job.window.check(CheckBox::Check1) == kChecked &&
      !is_normal_file(job.state.src_dir + kPlayerFile)) {
    r = ask_missing(job, msg::kPptTitle, kPlayerFile);
  }
  return r;
}

CommandResult written(Job& job, FileResult r) {
  if (r.ok) return {};
  const char* pattern = r.step == FileStep::Read ? msg::kTemplateFailed : msg::kPageFailed;
  const std::string text = msg::paragraphs({msg::fill(pattern, {r.file}), r.reason});
  return failed(job, std::move(r), text);
}

}  // namespace

CommandResult slide_html_click(Job& job) {
  JobState& s = job.state;
  s.app_dir = job.program_folder;
  if (s.src_dir == "") return refused(job, "", msg::kNoSource);
  std::string page = job.window.text(TextField::Text3);
  if (!plain_file_name(page)) return refused(job, page, msg::fill(msg::kBadPageName, {page}));
  if (replaces_other_file(job, page))
    return refused(job, s.src_dir + page, msg::fill(msg::kPageNameTaken, {page}));
  double count = 0;
  CommandResult r;
  if (ended(r = usable_count(job, count))) return r;
  if (s.slide_count == 0 &&
      ended(r = ask_go_on(job, msg::kCountTitle, msg::paragraphs({msg::kNoCount, msg::kGoOn})))) {
    return r;
  }
  if (ended(r = ask_go_on(job, msg::kCreateTitle, confirmation(job)))) return r;

  const std::string ext = image_extension(s.img_type);
  if (ended(r = normalise_names(job, ext))) return r;
  if (ended(r = check_presence(job, ext))) return r;

  s.last_slide[1] = count;
  s.show_title[1] = msg::kShowTitle;
  s.down_file_name[1] = job.window.text(TextField::Text5);

  for (const OutputStep& step : output_steps(job)) {
    if (ended(r = written(job, step.write(job)))) return r;
  }

  // A fresh scan: the list must not name a page this run has just written.
  search_gomi(job);
  if (s.gomi_count > 0) delete_gomi(job, msg::kCleanupPrefix);
  job.dialogs.show(info_box(msg::kCreateTitle, msg::kDone));
  return {};
}

}  // namespace vellumet
