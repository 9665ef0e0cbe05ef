#include "ui/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "base/messages.h"
#include "ui/file_dialog_setup.h"
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

std::optional<std::string> QtDialogs::open_file(const std::string& title,
                                                const FileFilter& filter) {
  QFileDialog dialog(parent_, from_utf8(title));
  dialog.setFileMode(QFileDialog::ExistingFile);
  set_up_file_dialog(dialog);
  if (!filter.patterns.empty()) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) patterns << from_utf8(pattern);
    dialog.setNameFilter(from_utf8(filter.name) + QStringLiteral(" (") +
                         patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
  return path_bytes(files.first());
}

}  // namespace vellumet::ui
