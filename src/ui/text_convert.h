#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vellumet::ui {

// UTF-8 job texts to and from Qt strings.
QString from_utf8(std::string_view text);
std::string to_utf8(const QString& text);

// A file or folder name (bytes in the locale's code page) for display. Bytes that
// are not valid there show as replacement characters.
QString display_name(std::string_view bytes);

// A path Qt gave us (from a file dialog) as the bytes of the file system.
std::string path_bytes(const QString& path);

// Multi-line field texts: the job writes CR LF line ends, the widgets hold "\n".
QString to_widget_lines(const QString& text);
QString from_widget_lines(const QString& text);

}  // namespace vellumet::ui
