#include "ui/qt_window_values.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/preview_image.h"
#include "ui/text_convert.h"

namespace vellumet::ui {

namespace {

template <typename E>
constexpr std::size_t idx(E e) {
  return static_cast<std::size_t>(e);
}

Qt::CheckState to_qt(int state) {
  switch (state) {
    case kChecked:
      return Qt::Checked;
    case kGrayed:
      return Qt::PartiallyChecked;
    default:
      return Qt::Unchecked;
  }
}

}  // namespace

std::string QtWindowValues::text(TextField field) const {
  QWidget* widget = w_.texts[idx(field)];
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return to_utf8(line->text());
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
    return to_utf8(from_widget_lines(edit->toPlainText()));
  return {};
}

void QtWindowValues::set_text(TextField field, const std::string& value) {
  QWidget* widget = w_.texts[idx(field)];
  if (auto* line = qobject_cast<QLineEdit*>(widget)) line->setText(from_utf8(value));
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
    edit->setPlainText(to_widget_lines(from_utf8(value)));
}

int QtWindowValues::check(CheckBox box) const {
  switch (w_.checks[idx(box)]->checkState()) {
    case Qt::Checked:
      return kChecked;
    case Qt::PartiallyChecked:
      return kGrayed;
    default:
      return kUnchecked;
  }
}

void QtWindowValues::set_check(CheckBox box, int state) {
  // The box's state-change signal runs the click reaction, and only when the
  // state really changes.
  w_.checks[idx(box)]->setCheckState(to_qt(state));
}

bool QtWindowValues::menu_checked(MenuMark item) const {
  return w_.marks[idx(item)]->isChecked();
}

void QtWindowValues::set_menu_checked(MenuMark item, bool checked) {
  w_.marks[idx(item)]->setChecked(checked);
}

bool QtWindowValues::visible(Control control) const {
  // Whether the control is shown once its window is: isVisible() would say
  // false for every control of a window that is not on screen yet.
  return !w_.controls[idx(control)]->isHidden();
}

void QtWindowValues::set_visible(Control control, bool visible) {
  w_.controls[idx(control)]->setVisible(visible);
}

void QtWindowValues::load_preview(const std::string& path) {
  w_.preview->load(path);
}

}  // namespace vellumet::ui
