#include "job/memory_window.h"

namespace vellumet {

namespace {
template <typename E>
constexpr std::size_t idx(E e) {
  return static_cast<std::size_t>(e);
}
}  // namespace

MemoryWindow::MemoryWindow() {
  texts_[idx(TextField::Text3)] = "index.html";
  marks_[idx(MenuMark::pp_button_off)] = true;
  marks_[idx(MenuMark::down_off)] = true;
  marks_[idx(MenuMark::icon_server)] = true;
  visible_[idx(Control::Command2)] = true;
  visible_[idx(Control::Command5)] = true;
  visible_[idx(Control::Image3)] = true;
}

std::string MemoryWindow::text(TextField field) const {
  return texts_[idx(field)];
}

void MemoryWindow::set_text(TextField field, const std::string& value) {
  texts_[idx(field)] = value;
}

int MemoryWindow::check(CheckBox box) const {
  return checks_[idx(box)];
}

void MemoryWindow::set_check(CheckBox box, int state) {
  if (checks_[idx(box)] == state) return;
  checks_[idx(box)] = state;
  if (on_check_changed) on_check_changed(box);
}

bool MemoryWindow::menu_checked(MenuMark item) const {
  return marks_[idx(item)];
}

void MemoryWindow::set_menu_checked(MenuMark item, bool checked) {
  marks_[idx(item)] = checked;
}

bool MemoryWindow::visible(Control control) const {
  return visible_[idx(control)];
}

void MemoryWindow::set_visible(Control control, bool visible) {
  visible_[idx(control)] = visible;
}

void MemoryWindow::load_preview(const std::string& path) {
  preview_path_ = path;
}

}  // namespace vellumet
