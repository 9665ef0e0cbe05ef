#pragma once

namespace vellumet {

// The control characters of texts and files. Everything else spells them
// through these names.
inline constexpr char kCr = '\r';
inline constexpr char kLf = '\n';
inline constexpr char kTab = '\t';
// The line end of every line written, and of the lines of box texts and fields.
inline constexpr char kCrLf[] = {kCr, kLf, '\0'};

}  // namespace vellumet
