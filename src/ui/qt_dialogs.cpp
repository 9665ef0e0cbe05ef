#include "ui/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "base/messages.h"
#include "ui/text_convert.h"

namespace vellumet::ui {

Answer QtDialogs::show(const MessageBox& box) {
  QMessageBox dialog(parent_);
  dialog.setWindowTitle(from_utf8(box.title));
  // Plain text: file names must never be read as markup.
  dialog.setTextFormat(Qt::PlainText);
  dialog.setText(to_widget_lines(from_utf8(box.text)));
  dialog.setIcon(box.icon == BoxIcon::Exclamation ? QMessageBox::Warning
                                                  : QMessageBox::Information);
  if (box.buttons == BoxButtons::Ok) {
    QPushButton* ok = dialog.addButton(QMessageBox::Ok);
    dialog.setDefaultButton(ok);
    dialog.setEscapeButton(ok);
    dialog.exec();
    return Answer::Ok;
  }
  QPushButton* yes = dialog.addButton(QMessageBox::Yes);
  QPushButton* no = dialog.addButton(QMessageBox::No);
  // Qt's own translation drops the mnemonics a Japanese desktop shows.
  yes->setText(from_utf8(msg::kYesButton));
  no->setText(from_utf8(msg::kNoButton));
  dialog.setDefaultButton(box.default_answer == Answer::Yes ? yes : no);
  dialog.setEscapeButton(no);
  dialog.exec();
  return dialog.clickedButton() == yes ? Answer::Yes : Answer::No;
}

std::optional<std::string> QtDialogs::open_file(const std::string& title) {
  QString file = QFileDialog::getOpenFileName(parent_, from_utf8(title));
  if (file.isEmpty()) return std::nullopt;
  return path_bytes(file);
}

}  // namespace vellumet::ui
