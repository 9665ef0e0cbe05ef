#pragma once

#include <string>

namespace vellumet {

enum class TextField { Text1, Text2, Text3, Text4, Text5 };
enum class CheckBox { Check1, Check2 };
enum class MenuMark { pp_button_on, pp_button_off, down_file, down_off, icon_server, icon_custom };
enum class Control { Command2, Command5, Text5, Image3 };

// Check box states as the window stores them; only Checked counts as on.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;

// The values of the main window that the logic reads and writes directly, at
// the moment it runs. The Qt window implements it on its widgets; MemoryWindow
// keeps plain values for tests and for use without a window.
class WindowValues {
 public:
  virtual ~WindowValues() = default;

  // Texts are UTF-8.
  virtual std::string text(TextField field) const = 0;
  virtual void set_text(TextField field, const std::string& value) = 0;

  virtual int check(CheckBox box) const = 0;
  // Sets the state; when it differs from the current one the box's click
  // reaction runs, exactly as for a click by the user. Same state: nothing runs.
  virtual void set_check(CheckBox box, int state) = 0;

  virtual bool menu_checked(MenuMark item) const = 0;
  virtual void set_menu_checked(MenuMark item, bool checked) = 0;

  virtual bool visible(Control control) const = 0;
  virtual void set_visible(Control control, bool visible) = 0;

  // Loads the image file at `path` into the preview picture (Image3). A file
  // that cannot be decoded leaves the preview empty; nothing fails.
  virtual void load_preview(const std::string& path) = 0;
};

}  // namespace vellumet
