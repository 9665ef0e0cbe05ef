#include "generator/template_copy.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/line_ends.h"
#include "base/messages.h"
#include "base/text_file.h"
#include "generator/markers.h"

namespace vellumet {

namespace {

// A template's lines, read one at a time through a buffer of `chunk` bytes.
class LineReader {
 public:
  LineReader(FileReader& in, std::string path, std::size_t chunk)
      : in_(in), path_(std::move(path)), buffer_(std::max<std::size_t>(chunk, 1)) {}

  // The next line without its line end; false after the last line, or when
  // the template could not be read (error() says why).
  bool next(std::string& line) {
    line.clear();
    bool started = false;
    while (at_ < size_ || fill()) {
      if (skip_lf_) {
        skip_lf_ = false;
        if (buffer_[at_] == kLf) {
          ++at_;
          continue;
        }
      }
      const char* begin = buffer_.data() + at_;
      const auto* cr = static_cast<const char*>(std::memchr(begin, kCr, size_ - at_));
      const std::size_t n = cr != nullptr ? static_cast<std::size_t>(cr - begin) : size_ - at_;
      if (line.size() + n > kMaxTemplateLine) {
        error_ = FileResult::failure(
            FileStep::Read, path_, 0,
            msg::fill(msg::kLineTooLong, {std::to_string(kMaxTemplateLine >> 20)}));
        return false;
      }
      line.append(begin, n);
      at_ += n;
      started = true;
      if (cr != nullptr) {
        ++at_;
        skip_lf_ = true;
        return true;
      }
    }
    return started && error_.ok;
  }

  const FileResult& error() const { return error_; }

 private:
  // Reads on; false at the end of the template or on a failed read.
  bool fill() {
    at_ = size_ = 0;
    if (error_.ok) error_ = in_.read(buffer_.data(), buffer_.size(), size_);
    return error_.ok && size_ > 0;
  }

  FileReader& in_;
  std::string path_;
  std::vector<char> buffer_;
  std::size_t at_ = 0, size_ = 0;
  bool skip_lf_ = false;  // the last line ended at a CR: an LF right after it belongs to it
  FileResult error_;
};

// Appends to `out` what the template line `raw` becomes: the lines a rule
// writes before it, then the line as the rules left it, each with CR LF.
void page_line(std::string_view raw, const MarkerTable& table, const Codec& codec,
               std::string& out) {
  // A marker is ASCII, so its characters are on a line only where its bytes
  // are; a line without them is copied as it is.
  if (std::none_of(table.begin(), table.end(),
                   [&](const Marker& m) { return raw.find(m.text) != std::string_view::npos; })) {
    out.append(raw).append(kCrLf);
    return;
  }
  std::u32string line = codec.decode(raw);
  for (const Marker& m : table) {
    const std::u32string marker = ascii(m.text);
    const MarkerRule& rule = m.rule;
    switch (rule.kind) {
      case MarkerRule::Kind::Replace:
        replace_first(line, marker, rule.value);
        break;
      case MarkerRule::Kind::WholeLine:
        if (starts_with_marker(line, marker)) line = rule.value;
        break;
      case MarkerRule::Kind::Optional:
        if (find_str(line, marker) == 0) break;
        if (rule.on) {
          replace_first(line, marker, rule.value);
        } else {
          line.clear();
        }
        break;
      case MarkerRule::Kind::ListBefore:
        if (find_str(line, marker) == 0) break;
        for (long j = 1;; ++j) {
          std::u32string extra;
          if (!rule.list(j, extra)) break;
          out.append(codec.encode(extra)).append(kCrLf);
        }
        break;
    }
  }
  out.append(codec.encode(line)).append(kCrLf);
}

}  // namespace

FileResult copy_template(const std::string& from, const std::string& to, const MarkerTable& table,
                         const Codec& codec, std::size_t chunk) {
  FileReader in;
  FileResult r = in.open(from);
  if (!r.ok) return r;
  AtomicFile page(to);
  r = page.open();
  if (!r.ok) return r;
  LineReader lines(in, from, chunk);
  std::string line, out;
  while (lines.next(line)) {
    out.clear();
    page_line(line, table, codec, out);
    r = page.write(out);
    if (!r.ok) return r;
  }
  if (!lines.error().ok) return lines.error();
  return page.commit();
}

}  // namespace vellumet
