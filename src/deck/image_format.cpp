#include "deck/image_format.h"

#include <QImageWriter>

#include "base/ascii.h"

namespace vellumet::deck {

const char* extension(ImageFormat format) {
  switch (format) {
    case ImageFormat::Jpeg:
      return "jpg";
    case ImageFormat::Png:
      return "png";
    case ImageFormat::Webp:
      return "webp";
  }
  return "jpg";
}

const char* format_name(ImageFormat format) {
  switch (format) {
    case ImageFormat::Jpeg:
      return "JPEG";
    case ImageFormat::Png:
      return "PNG";
    case ImageFormat::Webp:
      return "WebP";
  }
  return "JPEG";
}

bool parse_format(std::string_view text, ImageFormat& format) {
  for (auto [name, value] : {std::pair{"jpg", ImageFormat::Jpeg},
                             {"jpeg", ImageFormat::Jpeg},
                             {"png", ImageFormat::Png},
                             {"webp", ImageFormat::Webp}}) {
    if (equals_folded(text, name)) {
      format = value;
      return true;
    }
  }
  return false;
}

bool can_write(ImageFormat format) {
  return QImageWriter::supportedImageFormats().contains(QByteArray(extension(format)));
}

}  // namespace vellumet::deck
