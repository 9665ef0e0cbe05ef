#include "source/show_manifest.h"

#include <charconv>
#include <cstdio>

namespace vellumet {

namespace {

constexpr std::string_view kFirstLine = "vellumet-show 1";
// A manifest larger than this is not one of ours.
constexpr std::size_t kMaxManifestBytes = std::size_t{256} << 20;
// The key lines, each once; the first four hold text.
constexpr std::string_view kKeys[] = {"title", "source", "download", "image", "width", "pages"};

void append_escaped(std::string& out, std::string_view value) {
  for (unsigned char c : value) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool unescape(std::string_view value, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\') {
      out += value[i];
      continue;
    }
    if (++i == value.size()) return false;
    if (value[i] == '\\') {
      out += '\\';
    } else if (value[i] == 'n') {
      out += '\n';
    } else if (value[i] == 'x' && i + 2 < value.size() && hex_digit(value[i + 1]) >= 0 &&
               hex_digit(value[i + 2]) >= 0) {
      out += static_cast<char>(hex_digit(value[i + 1]) * 16 + hex_digit(value[i + 2]));
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

bool parse_number(std::string_view text, long& number) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() && number >= 0;
}

}  // namespace

std::string manifest_bytes(const Manifest& manifest) {
  std::string out(kFirstLine);
  out += '\n';
  auto line = [&out](std::string_view key, std::string_view value) {
    out += key;
    out += ' ';
    append_escaped(out, value);
    out += '\n';
  };
  line("title", manifest.title);
  line("source", manifest.source);
  line("download", manifest.download);
  line("image", manifest.image);
  line("width", std::to_string(manifest.width));
  line("pages", std::to_string(manifest.pages()));
  for (const std::string& text : manifest.texts) line("text", text);
  return out;
}

bool parse_manifest(std::string_view bytes, Manifest& manifest) {
  Manifest read;
  long pages = -1;
  long width = -1;
  bool first = true;
  unsigned seen = 0;  // one bit per key line
  std::string value;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) return false;
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 1);
    if (first) {
      if (line != kFirstLine) return false;
      first = false;
      continue;
    }
    std::size_t space = line.find(' ');
    if (space == std::string_view::npos || !unescape(line.substr(space + 1), value)) return false;
    std::string_view key = line.substr(0, space);
    if (key == "text") {
      read.texts.push_back(value);
      continue;
    }
    std::string* fields[] = {&read.title, &read.source, &read.download, &read.image};
    unsigned k = 0;
    while (k < std::size(kKeys) && kKeys[k] != key) ++k;
    if (k == std::size(kKeys) || seen & (1u << k)) return false;
    seen |= 1u << k;
    if (k < std::size(fields)) {
      *fields[k] = value;
    } else if (!parse_number(value, key == "width" ? width : pages) || width > 1 << 20) {
      return false;
    }
  }
  if (seen != (1u << std::size(kKeys)) - 1 || pages != read.pages()) return false;
  read.width = static_cast<int>(width);
  manifest = std::move(read);
  return true;
}

bool read_manifest(const std::string& folder, Manifest& manifest) {
  std::string bytes;
  if (!read_file(folder + "/" + kManifestName, bytes, kMaxManifestBytes).ok) return false;
  return parse_manifest(bytes, manifest);
}

FileResult write_manifest(const std::string& folder, const Manifest& manifest) {
  AtomicFile file(folder + "/" + kManifestName);
  FileResult result = file.open();
  if (result.ok) result = file.write(manifest_bytes(manifest));
  if (result.ok) result = file.commit();
  return result;
}

}  // namespace vellumet
