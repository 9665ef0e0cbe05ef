#include "commands/options.h"

#include "base/messages.h"
#include "generator/icon_list.h"
#include "source/leftovers.h"

namespace vellumet {

void check1_click(Job& job) {
  bool on = job.window.check(CheckBox::Check1) == kChecked;
  job.window.set_menu_checked(MenuMark::pp_button_on, on);
  job.window.set_menu_checked(MenuMark::pp_button_off, !on);
}

void check2_click(Job& job) {
  if (job.window.check(CheckBox::Check2) == kChecked) {
    // A cancelled dialog keeps the file chosen before.
    if (auto file = job.dialogs.open_file(msg::kDownloadDialogTitle, {})) {
      job.window.set_text(TextField::Text5, *file);
    }
    job.window.set_visible(Control::Text5, true);
  } else {
    job.window.set_visible(Control::Text5, false);
  }
  // The option decides whether the download file is kept by the clean-up.
  refresh_gomi(job);
}

void choose_download(Job& job, const std::string& file) {
  job.window.set_text(TextField::Text5, file);
  job.window.set_menu_checked(MenuMark::down_file, true);
  job.window.set_menu_checked(MenuMark::down_off, false);
  job.window.set_check(CheckBox::Check2, kChecked);
  job.window.set_visible(Control::Text5, true);
  refresh_gomi(job);
}

void on_check_changed(Job& job, CheckBox box) {
  if (box == CheckBox::Check1) {
    check1_click(job);
  } else {
    check2_click(job);
  }
}

namespace {
// An option menu item: its pair of marks, then the check box it stands for.
void choose_option(Job& job, MenuMark chosen, MenuMark other, CheckBox box, int state) {
  job.window.set_menu_checked(chosen, true);
  job.window.set_menu_checked(other, false);
  job.window.set_check(box, state);
}

// An icon menu item: its pair of marks, then the list it selects.
void choose_icons(Job& job, MenuMark chosen, MenuMark other) {
  job.window.set_menu_checked(chosen, true);
  job.window.set_menu_checked(other, false);
  read_button_ini(job);
}
}  // namespace

void pp_button_on_click(Job& job) {
  choose_option(job, MenuMark::pp_button_on, MenuMark::pp_button_off, CheckBox::Check1, kChecked);
}

void pp_button_off_click(Job& job) {
  choose_option(job, MenuMark::pp_button_off, MenuMark::pp_button_on, CheckBox::Check1, kUnchecked);
}

void down_file_click(Job& job) {
  choose_option(job, MenuMark::down_file, MenuMark::down_off, CheckBox::Check2, kChecked);
}

void down_off_click(Job& job) {
  choose_option(job, MenuMark::down_off, MenuMark::down_file, CheckBox::Check2, kUnchecked);
}

void icon_server_click(Job& job) {
  choose_icons(job, MenuMark::icon_server, MenuMark::icon_custom);
}

void icon_custom_click(Job& job) {
  choose_icons(job, MenuMark::icon_custom, MenuMark::icon_server);
}

}  // namespace vellumet
