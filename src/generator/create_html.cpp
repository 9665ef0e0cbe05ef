#include "generator/create_html.h"

#include <string>

#include "generator/button_copier.h"
#include "generator/messages.h"
#include "generator/number_text.h"
#include "generator/page_writers.h"
#include "source/file_ops.h"
#include "source/leftovers.h"
#include "source/listing.h"

namespace vellumet {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kCrLfLf = "\r\n\n";

// An entry page name must stay inside the show folder.
bool plain_file_name(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

bool ask_go_on(Job& job, const std::string& title, const std::string& text) {
  return job.dialogs.show(question_box(title, text)) == Answer::Yes;
}

std::string confirmation(const Job& job) {
  const std::string tab = "\t";
  std::string text = std::string(msg::kConfirmHead) + kCrLfLf + tab + msg::kConfirmSource +
                     job.state.src_dir + msg::kConfirmSourceEnd;
  text +=
      kCrLf + tab + msg::kConfirmPage + job.window.text(TextField::Text3) + msg::kConfirmPageEnd;
  if (job.window.check(CheckBox::Check1) == kChecked) text += kCrLf + tab + msg::kConfirmPlayer;
  if (job.window.check(CheckBox::Check2) == kChecked) text += kCrLf + tab + msg::kConfirmDownload;
  return text + kCrLfLf + msg::kConfirmAsk;
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
      return ask_go_on(job, msg::kCreateTitle, msg::fill(msg::kRenameExists, {from, to, to}))
                 ? Step::Go
                 : Step::Stop;
    case RenameOutcome::Failed:
      break;
  }
  job.dialogs.show(
      info_box(msg::kCreateTitle, msg::fill(msg::kRenameFailed, {from, to, r.reason})));
  return Step::Stop;
}

Step normalise_names(Job& job, const std::string& ext) {
  Listing listing = list_normal_files(job.state.src_dir);
  if (listing.error != 0) {
    job.dialogs.show(
        info_box(msg::kCreateTitle,
                 msg::fill(msg::kListFailed, {job.state.src_dir, error_text(listing.error)})));
    return Step::Stop;
  }
  for (const auto& name : filter_extension(listing, ext)) {
    std::string prefix = ascii_lower(name.substr(0, 3));
    if (prefix != "sld" && prefix != "img") continue;
    std::string renamed = "img" + name.substr(3, name.size() - 6) + ext;
    if (renamed != name && rename_or_ask(job, name, renamed) == Step::Stop) return Step::Stop;
  }
  if (job.window.check(CheckBox::Check1) == kChecked) {
    auto ppz = filter_extension(listing, "ppz");
    if (!ppz.empty() && ppz.front() != msg::kPres0 &&
        rename_or_ask(job, ppz.front(), msg::kPres0) == Step::Stop) {
      return Step::Stop;
    }
  }
  return Step::Go;
}

Step check_presence(Job& job, const std::string& ext) {
  const std::string go_on = std::string(msg::kNotFound) + kCrLfLf + msg::kGoOn;
  for (long i = 1; i <= job.state.slide_count; ++i) {
    std::string name = "img" + three_digits(i) + "." + ext;
    if (!is_normal_file(job.state.src_dir + name) &&
        !ask_go_on(job, msg::kImageTitle, name + go_on)) {
      return Step::Stop;
    }
  }
  if (job.window.check(CheckBox::Check1) == kChecked &&
      !is_normal_file(job.state.src_dir + msg::kPres0) &&
      !ask_go_on(job, msg::kPptTitle, msg::kPres0 + go_on)) {
    return Step::Stop;
  }
  return Step::Go;
}

bool written(Job& job, const PageResult& r) {
  if (r.ok) return true;
  const char* pattern = r.template_error ? msg::kTemplateFailed : msg::kPageFailed;
  job.dialogs.show(info_box(msg::kCreateTitle, msg::fill(pattern, {r.file, r.reason})));
  return false;
}

}  // namespace

void slide_html_click(Job& job) {
  JobState& s = job.state;
  s.app_dir = job.program_dir;
  if (s.src_dir == "") {
    job.dialogs.show(info_box(msg::kCreateTitle, msg::kNoSource));
    return;
  }
  std::string page = job.window.text(TextField::Text3);
  if (!plain_file_name(page)) {
    job.dialogs.show(info_box(msg::kCreateTitle, msg::fill(msg::kBadPageName, {page})));
    return;
  }
  if (s.slide_count == 0 &&
      !ask_go_on(job, msg::kCountTitle, std::string(msg::kNoCount) + kCrLfLf + msg::kGoOn)) {
    return;
  }
  if (!ask_go_on(job, msg::kCreateTitle, confirmation(job))) return;

  const std::string ext = (s.img_type == 1 || s.img_type == 3) ? "gif" : "jpg";
  if (normalise_names(job, ext) == Step::Stop) return;
  if (check_presence(job, ext) == Step::Stop) return;

  std::string count_text = job.window.text(TextField::Text2);
  double count = read_number(count_text);
  if (!(count <= 32767.0)) {
    // The slide list has a line per slide: an absurd count would fill the disk.
    job.dialogs.show(info_box(msg::kCreateTitle, msg::fill(msg::kTooManySlides, {count_text})));
    return;
  }
  s.last_slide[1] = count;
  s.show_title[1] = msg::kShowTitle;
  s.down_file_name[1] = job.window.text(TextField::Text5);

  if (!written(job, make_index_html(job, 1))) return;
  if (job.window.menu_checked(MenuMark::icon_custom)) make_button_files(job);
  if (!written(job, make_navbtn_html(job, 1))) return;
  if (job.window.check(CheckBox::Check1) == kChecked && !written(job, make_slide_html(job, 1)))
    return;

  // A fresh scan: the list must not name a page this run has just written.
  search_gomi(job);
  if (s.gomi_count > 0) {
    std::string prefix = msg::kCleanupPrefix;
    delete_gomi(job, prefix);
  }
  job.dialogs.show(info_box(msg::kCreateTitle, msg::kDone));
}

}  // namespace vellumet
