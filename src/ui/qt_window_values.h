#pragma once

#include <array>

#include "job/window_values.h"

class QAction;
class QCheckBox;
class QWidget;

namespace vellumet::ui {

class PreviewImage;

// The main window's values, read from and written to its widgets. One-line
// fields are QLineEdit, multi-line ones QPlainTextEdit.
class QtWindowValues : public WindowValues {
 public:
  struct Widgets {
    std::array<QWidget*, 5> texts{};     // Text1 .. Text5
    std::array<QCheckBox*, 2> checks{};  // Check1, Check2
    std::array<QAction*, 6> marks{};     // in MenuMark order
    std::array<QWidget*, 4> controls{};  // in Control order
    PreviewImage* preview = nullptr;     // Image3
  };
  explicit QtWindowValues(const Widgets& widgets) : w_(widgets) {}

  std::string text(TextField field) const override;
  void set_text(TextField field, const std::string& value) override;
  int check(CheckBox box) const override;
  void set_check(CheckBox box, int state) override;
  bool menu_checked(MenuMark item) const override;
  void set_menu_checked(MenuMark item, bool checked) override;
  bool visible(Control control) const override;
  void set_visible(Control control, bool visible) override;
  void load_preview(const std::string& path) override;

 private:
  Widgets w_;
};

}  // namespace vellumet::ui
