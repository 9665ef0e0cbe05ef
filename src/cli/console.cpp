#include "cli/console.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <utility>

#include "base/line_ends.h"

namespace vellumet::cli {

namespace {

// Characters a terminal acts on, or that turn the text around them.
bool unprintable(char32_t c) {
  return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029 ||
         (c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069) || is_escaped_byte(c);
}

void append_octal(std::string& out, unsigned char byte) {
  const char digits[] = {'\\', static_cast<char>('0' + (byte >> 6)),
                         static_cast<char>('0' + ((byte >> 3) & 7)),
                         static_cast<char>('0' + (byte & 7))};
  out.append(digits, sizeof digits);
}

}  // namespace

std::string quoted_name(std::string_view name, const Codec& codec) {
  const std::u32string chars = codec.decode(name);
  if (std::none_of(chars.begin(), chars.end(), unprintable)) return std::string(name);
  static const std::pair<char32_t, const char*> kNamed[] = {
      {U'\a', "\\a"}, {U'\b', "\\b"}, {U'\t', "\\t"},  {U'\n', "\\n"}, {U'\v', "\\v"},
      {U'\f', "\\f"}, {U'\r', "\\r"}, {U'\\', "\\\\"}, {U'\'', "\\'"}};
  std::string out = "$'";
  for (char32_t c : chars) {
    const auto named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                    [c](const auto& n) { return n.first == c; });
    if (named != std::end(kNamed)) {
      out += named->second;
    } else if (is_escaped_byte(c)) {
      append_octal(out, static_cast<unsigned char>(c - kEscapeBase));
    } else if (unprintable(c)) {
      for (unsigned char b : codec.encode(std::u32string_view(&c, 1))) append_octal(out, b);
    } else {
      out += codec.encode(std::u32string_view(&c, 1));
    }
  }
  return out + "'";
}

Console::Console(std::FILE* in, std::FILE* out, std::FILE* err)
    : in_(in), out_(out), err_(err), codec_("") {}

void Console::write(std::FILE* to, std::string_view text, bool line_end) {
  std::string lines;
  lines.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kCr) {
      lines += kLf;
      if (i + 1 < text.size() && text[i + 1] == kLf) ++i;
    } else {
      lines += text[i];
    }
  }
  if (line_end) lines += kLf;
  const std::string bytes = codec_.encode(utf8_decode(lines));
  errno = 0;
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), to) == bytes.size() && std::fflush(to) == 0;
  if (!written && to == out_ && out_error_ == 0) out_error_ = errno != 0 ? errno : EIO;
}

void Console::out_line(std::string_view text) {
  write(out_, text, true);
}

void Console::err_line(std::string_view text) {
  write(err_, text, true);
}

void Console::err_prompt(std::string_view text) {
  write(err_, text, false);
}

std::optional<std::string> Console::read_line() {
  std::string line;
  int c;
  while ((c = std::fgetc(in_)) != EOF && c != kLf) line += static_cast<char>(c);
  if (c == EOF && line.empty()) return std::nullopt;
  if (!line.empty() && line.back() == kCr) line.pop_back();
  return utf8_encode(codec_.decode(line));
}

bool Console::interactive() const {
  return ::isatty(::fileno(in_)) == 1 && err_is_terminal();
}

bool Console::err_is_terminal() const {
  return ::isatty(::fileno(err_)) == 1;
}

}  // namespace vellumet::cli
