#include "deck/image_format.h"

#include <QImageWriter>

#include "base/ascii.h"

namespace vellumet::deck {

namespace {

struct FormatNames {
  ImageFormat format;
  const char* extension;
  const char* name;
};
constexpr FormatNames kFormats[] = {{ImageFormat::Jpeg, "jpg", "JPEG"},
                                    {ImageFormat::Png, "png", "PNG"},
                                    {ImageFormat::Webp, "webp", "WebP"}};

const FormatNames& names(ImageFormat format) {
  for (const FormatNames& entry : kFormats) {
    if (entry.format == format) return entry;
  }
  return kFormats[0];
}

}  // namespace

const char* extension(ImageFormat format) {
  return names(format).extension;
}

const char* format_name(ImageFormat format) {
  return names(format).name;
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
