#pragma once

class QFileDialog;

namespace vellumet::ui {

// Makes an open-file dialog speak like the rest of the program on any system
// locale: Qt's own dialog rather than the desktop's, the detail view with its
// sizes, types and dates in the default (Japanese) locale, and every column
// as wide as its contents.
void set_up_file_dialog(QFileDialog& dialog);

}  // namespace vellumet::ui
