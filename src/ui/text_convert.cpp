#include "ui/text_convert.h"

#include <QFile>

#include "base/codec.h"
#include "base/line_ends.h"

namespace vellumet::ui {

QString from_utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string to_utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

QString display_name(std::string_view bytes) {
  static const Codec codec;  // the locale's code page
  std::u32string chars = codec.decode(bytes);
  for (char32_t& c : chars) {
    if (is_escaped_byte(c)) c = 0xFFFD;
  }
  return QString::fromUcs4(chars.data(), static_cast<qsizetype>(chars.size()));
}

std::string path_bytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString to_widget_lines(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1String(kCrLf), QString(QChar(kLf)));
  lines.replace(QChar(kCr), QChar(kLf));
  return lines;
}

QString from_widget_lines(const QString& text) {
  QString lines = text;
  lines.replace(QChar(kLf), QLatin1String(kCrLf));
  return lines;
}

}  // namespace vellumet::ui
