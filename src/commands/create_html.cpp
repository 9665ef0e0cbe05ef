#include "commands/create_html.h"

#include <cmath>
#include <optional>
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

// The slide count typed into Text2, or a box saying why it cannot be used.
std::optional<double> usable_count(Job& job) {
  const std::string text = job.window.text(TextField::Text2);
  const double count = read_number(text);
  // The slide list has a line per slide: an absurd count would fill the disk.
  const char* refusal = !(count <= 32767.0) ? msg::kTooManySlides
                        : std::isinf(count) ? msg::kCountOutOfRange
                                            : nullptr;
  if (!refusal) return count;
  job.dialogs.show(info_box(msg::kCreateTitle, msg::fill(refusal, {text})));
  return std::nullopt;
}

bool ask_go_on(Job& job, const std::string& title, const std::string& text) {
  return job.dialogs.show(question_box(title, text)) == Answer::Yes;
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

enum class Step { Go, Stop };

// Renames without replacing; a name already taken asks whether to go on.
Step rename_or_ask(Job& job, const std::string& from, const std::string& to) {
  const std::string& dir = job.state.src_dir;
  RenameResult r = rename_no_replace(dir + from, dir + to);
  switch (r.outcome) {
    case RenameOutcome::Renamed:
      return Step::Go;
    case RenameOutcome::TargetExists:
      return ask_go_on(job, msg::kCreateTitle,
                       msg::paragraphs(
                           {msg::fill(msg::kRenameExists, {from, to, to}), msg::kKeepAndGoOn}))
                 ? Step::Go
                 : Step::Stop;
    case RenameOutcome::Failed:
      break;
  }
  job.dialogs.show(info_box(
      msg::kCreateTitle, msg::paragraphs({msg::fill(msg::kRenameFailed, {from, to}), r.reason})));
  return Step::Stop;
}

Step normalise_names(Job& job, const std::string& ext) {
  RenamePlan plan = plan_renames(job, ext);
  if (plan.error != 0) {
    job.dialogs.show(info_box(msg::kCreateTitle,
                              msg::paragraphs({msg::fill(msg::kListFailed, {job.state.src_dir}),
                                               error_text(plan.error)})));
    return Step::Stop;
  }
  for (const Rename& r : plan.renames) {
    if (rename_or_ask(job, r.from, r.to) == Step::Stop) return Step::Stop;
  }
  return Step::Go;
}

// "<name> was not found", then whether to go on.
bool ask_missing(Job& job, const std::string& title, const std::string& name) {
  return ask_go_on(job, title, msg::paragraphs({msg::fill(msg::kNotFound, {name}), msg::kGoOn}));
}

Step check_presence(Job& job, const std::string& ext) {
  for (long i = 1; i <= job.state.slide_count; ++i) {
    std::string name = slide_image_name(i, ext);
    if (!is_normal_file(job.state.src_dir + name) && !ask_missing(job, msg::kImageTitle, name)) {
      return Step::Stop;
    }
  }
  if (job.window.check(CheckBox::Check1) == kChecked &&
      !is_normal_file(job.state.src_dir + kPlayerFile) &&
      !ask_missing(job, msg::kPptTitle, kPlayerFile)) {
    return Step::Stop;
  }
  return Step::Go;
}

bool written(Job& job, const PageResult& r) {
  if (r.ok) return true;
  const char* pattern = r.template_error ? msg::kTemplateFailed : msg::kPageFailed;
  job.dialogs.show(
      info_box(msg::kCreateTitle, msg::paragraphs({msg::fill(pattern, {r.file}), r.reason})));
  return false;
}

}  // namespace

void slide_html_click(Job& job) {
  JobState& s = job.state;
  s.app_dir = job.program_folder;
  if (s.src_dir == "") {
    job.dialogs.show(info_box(msg::kCreateTitle, msg::kNoSource));
    return;
  }
  std::string page = job.window.text(TextField::Text3);
  if (!plain_file_name(page)) {
    job.dialogs.show(info_box(msg::kCreateTitle, msg::fill(msg::kBadPageName, {page})));
    return;
  }
  if (replaces_other_file(job, page)) {
    job.dialogs.show(info_box(msg::kCreateTitle, msg::fill(msg::kPageNameTaken, {page})));
    return;
  }
  const std::optional<double> count = usable_count(job);
  if (!count) return;
  if (s.slide_count == 0 &&
      !ask_go_on(job, msg::kCountTitle, msg::paragraphs({msg::kNoCount, msg::kGoOn}))) {
    return;
  }
  if (!ask_go_on(job, msg::kCreateTitle, confirmation(job))) return;

  const std::string ext = image_extension(s.img_type);
  if (normalise_names(job, ext) == Step::Stop) return;
  if (check_presence(job, ext) == Step::Stop) return;

  s.last_slide[1] = *count;
  s.show_title[1] = msg::kShowTitle;
  s.down_file_name[1] = job.window.text(TextField::Text5);

  for (const OutputStep& step : output_steps(job)) {
    if (!written(job, step.write(job))) return;
  }

  // A fresh scan: the list must not name a page this run has just written.
  search_gomi(job);
  if (s.gomi_count > 0) delete_gomi(job, msg::kCleanupPrefix);
  job.dialogs.show(info_box(msg::kCreateTitle, msg::kDone));
}

}  // namespace vellumet
