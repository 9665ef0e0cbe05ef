#pragma once

#include <string>
#include <string_view>

namespace vellumet::deck {

// The formats slide images are written in; a show holds one of them.
enum class ImageFormat { Jpeg, Png, Webp };

// The format a show gets when none is asked for (see docs/performance.md).
inline constexpr ImageFormat kDefaultFormat = ImageFormat::Jpeg;

// The slide images' extension: "jpg", "png" or "webp".
const char* extension(ImageFormat format);
// The format's name for people: "JPEG", "PNG", "WebP".
const char* format_name(ImageFormat format);
// Reads "jpg", "jpeg", "png" or "webp", letters in any case; false for any
// other text, leaving `format` alone.
bool parse_format(std::string_view text, ImageFormat& format);

// True when Qt has a writer for the format here (WebP needs Qt's image-format
// plugins).
bool can_write(ImageFormat format);

}  // namespace vellumet::deck
