#include "state/window_logic.h"

#include "generator/icon_list.h"
#include "generator/messages.h"

namespace vellumet {

void command_button_check(Job& job) {
  job.window.set_visible(Control::Command5, job.state.gomi_count != 0);
  job.window.set_visible(Control::Command2, job.state.src_dir != "");
}

void form_load(Job& job) {
  command_button_check(job);
  read_button_ini(job);
  init_constants(job.state);
  job.window.set_text(TextField::Text1,
                      std::string(msg::kInstruction1) + "\r\n" + msg::kInstruction2);
  job.window.set_text(TextField::Text2, "");
}

void check1_click(Job& job) {
  bool on = job.window.check(CheckBox::Check1) == kChecked;
  job.window.set_menu_checked(MenuMark::pp_button_on, on);
  job.window.set_menu_checked(MenuMark::pp_button_off, !on);
}

void check2_click(Job& job) {
  if (job.window.check(CheckBox::Check2) == kChecked) {
    // A cancelled dialog keeps the file chosen before.
    if (auto file = job.dialogs.open_file(msg::kDownloadDialogTitle)) {
      job.window.set_text(TextField::Text5, *file);
    }
    job.window.set_visible(Control::Text5, true);
  } else {
    job.window.set_visible(Control::Text5, false);
  }
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

bool end_syori_click(Job& job) {
  return job.dialogs.show(question_box(msg::kExitTitle, msg::kExitQuestion)) == Answer::Yes;
}

void mott_option_click(Job& job) {
  const std::string cr = "\r", lf = "\n", tab = "\t";
  std::string text = "以下の機能を考えていますが、まだ実装できていません。" + cr + lf + lf + tab +
                     "１．ボタンのイメージファイルを任意に指定できるようにする" + cr + lf + tab +
                     "２．サーバーへの ftp 転送" + cr + lf + tab +
                     "３．HTML作成後にブラウザの自動立ち上げ" + cr + lf + tab +
                     "４．テンプレートファイルのカプセル化または保護" + cr + lf + lf +
                     "その他にも注文あればお寄せください。";
  job.dialogs.show(info_box(msg::kMottTitle, text));
}

}  // namespace vellumet
