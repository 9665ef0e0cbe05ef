#pragma once

class QApplication;

namespace vellumet::ui {

// The window font: the Japanese proportional Gothic the layout is measured
// for, or the closest one installed.
void apply_window_font(QApplication& app);

// Loads Qt's own Japanese texts (standard buttons, the file dialog). Returns
// false, and changes nothing, when the translation is not installed.
bool install_japanese_translation(QApplication& app);

}  // namespace vellumet::ui
