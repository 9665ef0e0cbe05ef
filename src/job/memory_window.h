#pragma once

#include <array>
#include <functional>
#include <string>

#include "job/window_values.h"

namespace vellumet {

// Window values held in memory, with the initial contents of the main window.
// `on_check_changed` stands for the box's click reaction; whoever owns the
// window connects it (see commands/options.h).
class MemoryWindow : public WindowValues {
 public:
  MemoryWindow();

  std::string text(TextField field) const override;
  void set_text(TextField field, const std::string& value) override;
  int check(CheckBox box) const override;
  void set_check(CheckBox box, int state) override;
  bool menu_checked(MenuMark item) const override;
  void set_menu_checked(MenuMark item, bool checked) override;
  bool visible(Control control) const override;
  void set_visible(Control control, bool visible) override;
  void load_preview(const std::string& path) override;

  // The path last loaded into the preview ("" when none).
  const std::string& preview_path() const { return preview_path_; }

  std::function<void(CheckBox)> on_check_changed;

 private:
  std::array<std::string, 5> texts_;
  std::array<int, 2> checks_{};
  std::array<bool, 6> marks_{};
  std::array<bool, 4> visible_{};
  std::string preview_path_;
};

}  // namespace vellumet
