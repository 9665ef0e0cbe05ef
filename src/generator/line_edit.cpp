#include "generator/line_edit.h"

#include <string.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/ascii.h"
#include "generator/marker_table.h"

namespace vellumet {

namespace {

bool all_self(const std::uint8_t* self, std::size_t from, std::size_t length) {
  if (self == nullptr) return true;
  for (std::size_t i = from; i < from + length; ++i) {
    if (self[i] == 0) return false;
  }
  return true;
}

}  // namespace

EncodedText encode_text(const Codec& codec, std::u32string_view text) {
  EncodedText t;
  t.bytes.reserve(text.size());
  t.self.reserve(text.size());
  bool plain = true;
  for (const char32_t c : text) {
    if (c < 0x80) {
      t.bytes += static_cast<char>(c);
      t.self.push_back(1);
      continue;
    }
    const std::string bytes = codec.encode(std::u32string_view(&c, 1));
    for (char b : bytes) plain = plain && static_cast<unsigned char>(b) >= 0x80;
    t.bytes += bytes;
    t.self.insert(t.self.end(), bytes.size(), 0);
  }
  if (plain) t.self.clear();
  return t;
}

LineEdit::LineEdit(const Codec& codec, const std::vector<EncodedText>& values)
    : codec_(codec), utf8_(codec.is_utf8()), values_(values) {}

void LineEdit::start(std::string_view line) {
  line_ = line;
  file_ = nullptr;
  size_ = line.size();
  pieces_.clear();
  if (size_ > 0) pieces_.push_back({0, 0, size_});
  modified_ = false;
  plain_ = utf8_ ? 1 : -1;
  ascii_ = 0;
  self_.clear();
  error_ = {};
}

void LineEdit::start(FileReader& file, std::uint64_t offset, std::size_t size, std::size_t chunk) {
  start(std::string_view());
  file_ = &file;
  offset_ = offset;
  chunk_ = chunk;
  size_ = size;
  if (size_ > 0) pieces_.push_back({0, 0, size_});
  plain_ = utf8_ ? 1 : 0;
}

bool LineEdit::plain() {
  if (plain_ < 0) plain_ = is_ascii(line_) ? 1 : 0;
  return plain_ == 1;
}

bool LineEdit::plain_before(std::size_t at) {
  if (plain_ == 1) return true;
  if (file_ != nullptr) return false;
  if (ascii_ < at) {
    if (!is_ascii(line_.substr(ascii_, at - ascii_))) return false;
    ascii_ = at;
  }
  return true;
}

bool LineEdit::read(std::uint64_t offset, std::size_t size) {
  if (buffer_.size() < size) buffer_.resize(size);
  std::size_t done = 0;
  while (done < size) {
    std::size_t got = 0;
    error_ = file_->read_at(offset_ + offset + done, buffer_.data() + done, size - done, got);
    if (!error_.ok) return false;
    if (got == 0) {
      // The template became shorter while it was being copied.
      error_ = FileResult::failure(EIO);
      return false;
    }
    done += got;
  }
  return true;
}

template <class Visit>
void LineEdit::visit(std::size_t from, bool want_self, Visit&& visit) {
  std::size_t at = 0;
  for (const Piece& p : pieces_) {
    const std::size_t length = p.end - p.begin;
    if (at + length <= from) {
      at += length;
      continue;
    }
    const std::size_t skip = from > at ? from - at : 0;
    const std::size_t begin = p.begin + skip;
    if (p.source != 0) {
      const EncodedText& v = values_[p.source - 1];
      const std::uint8_t* self = want_self && !v.self.empty() ? v.self.data() + begin : nullptr;
      if (!visit(Segment{v.bytes.data() + begin, self, p.end - begin, at + skip})) return;
    } else if (file_ == nullptr) {
      const std::uint8_t* self = nullptr;
      if (want_self && !plain()) {
        if (self_.empty()) {
          // Which bytes stand for themselves follows from decoding the whole line.
          self_.assign(line_.size(), 0);
          for (std::size_t k = 0; k < line_.size();) {
            const std::size_t n = codec_.decode_one(line_, k, scratch_);
            scratch_.clear();
            if (n == 1 && static_cast<unsigned char>(line_[k]) < 0x80) self_[k] = 1;
            k += n;
          }
        }
        self = self_.data() + begin;
      }
      if (!visit(Segment{line_.data() + begin, self, p.end - begin, at + skip})) return;
    } else {
      // A piece of a long line is read from the template a chunk at a time.
      // Characters are decoded from the piece's start (a character boundary),
      // looking up to three bytes past each chunk.
      const bool decode = want_self && !utf8_;
      std::size_t pos = decode ? p.begin : begin;
      std::size_t unit = pos;
      while (pos < p.end) {
        const std::size_t n = std::min(chunk_, p.end - pos);
        const std::size_t ahead = decode ? std::min(n + 3, p.end - pos) : n;
        if (!read(pos, ahead)) return;
        const std::uint8_t* self = nullptr;
        if (decode) {
          buffer_self_.assign(n, 0);
          const std::string_view bytes(buffer_.data(), ahead);
          std::size_t k = std::max(unit, pos);
          while (k < pos + n) {
            const std::size_t m = codec_.decode_one(bytes, k - pos, scratch_);
            scratch_.clear();
            if (m == 1 && static_cast<unsigned char>(bytes[k - pos]) < 0x80)
              buffer_self_[k - pos] = 1;
            k += m;
          }
          unit = k;
          self = buffer_self_.data();
        }
        const std::size_t first = pos < begin ? begin - pos : 0;
        if (first < n) {
          const Segment s{buffer_.data() + first, self ? self + first : nullptr, n - first,
                          at + (pos + first - p.begin)};
          if (!visit(s)) return;
        }
        pos += n;
      }
    }
    at += length;
  }
}

std::size_t LineEdit::find(std::string_view marker) {
  const std::size_t length = marker.size();
  // The last length - 1 bytes seen, for matches that run across segments.
  char carry[2 * kMaxMarkerLength];
  std::uint8_t carry_self[2 * kMaxMarkerLength];
  std::size_t carry_size = 0, carry_at = 0;
  std::size_t found = npos;
  visit(0, true, [&](const Segment& s) {
    // The segment's first bytes join the carry, also when the carry is
    // empty: a segment shorter than the marker is kept whole in it.
    const std::size_t take = std::min(length - 1, s.size);
    std::memcpy(carry + carry_size, s.bytes, take);
    for (std::size_t i = 0; i < take; ++i) carry_self[carry_size + i] = s.self ? s.self[i] : 1;
    for (std::size_t t = 0; t < carry_size && t + length <= carry_size + take; ++t) {
      if (std::memcmp(carry + t, marker.data(), length) == 0 && all_self(carry_self, t, length)) {
        found = carry_at + t;
        return false;
      }
    }
    for (std::size_t from = 0; from + length <= s.size;) {
      const void* hit = ::memmem(s.bytes + from, s.size - from, marker.data(), length);
      if (hit == nullptr) break;
      const auto off = static_cast<std::size_t>(static_cast<const char*>(hit) - s.bytes);
      if (all_self(s.self, off, length)) {
        found = s.at + off;
        return false;
      }
      from = off + 1;
    }
    if (s.size >= length - 1) {
      carry_size = length - 1;
      std::memcpy(carry, s.bytes + s.size - carry_size, carry_size);
      for (std::size_t i = 0; i < carry_size; ++i)
        carry_self[i] = s.self ? s.self[s.size - carry_size + i] : 1;
      carry_at = s.at + s.size - carry_size;
    } else {
      // The segment is shorter than the marker: it joined the carry above.
      const std::size_t total = carry_size + take;
      const std::size_t keep = std::min(length - 1, total);
      std::memmove(carry, carry + total - keep, keep);
      std::memmove(carry_self, carry_self + total - keep, keep);
      carry_at = s.at + s.size - keep;
      carry_size = keep;
    }
    return true;
  });
  return found;
}

bool LineEdit::begins_after_blanks(std::string_view marker) {
  if (!modified_ && file_ == nullptr && plain()) {
    const std::size_t start = std::min(line_.find_first_not_of(' '), line_.size());
    return line_.substr(start).starts_with(marker);
  }
  bool blanks = true, result = false;
  std::size_t k = 0;
  visit(0, true, [&](const Segment& s) {
    for (std::size_t i = 0; i < s.size; ++i) {
      const bool self = s.self == nullptr || s.self[i] != 0;
      if (blanks && s.bytes[i] == ' ' && self) continue;
      blanks = false;
      if (s.bytes[i] != marker[k] || !self) return false;
      if (++k == marker.size()) {
        result = true;
        return false;
      }
    }
    return true;
  });
  return result;
}

void LineEdit::replace(std::size_t at, std::size_t length, std::size_t value) {
  const Piece put{value + 1, 0, values_[value].bytes.size()};
  if (!modified_ && pieces_.size() == 1) {
    // The line as read: what comes before the marker, the value, what follows.
    pieces_.assign({{0, 0, at}, put, {0, at + length, size_}});
    if (put.end == 0) pieces_.erase(pieces_.begin() + 1);
    if (at + length == size_) pieces_.pop_back();
    if (at == 0) pieces_.erase(pieces_.begin());
    size_ = size_ - length + put.end;
    modified_ = true;
    return;
  }
  next_.clear();
  auto push = [&](const Piece& p) {
    if (p.end > p.begin) next_.push_back(p);
  };
  std::size_t pos = 0;
  bool placed = false;
  for (const Piece& p : pieces_) {
    const std::size_t end = pos + (p.end - p.begin);
    if (pos < at) push({p.source, p.begin, p.begin + (std::min(end, at) - pos)});
    if (!placed && end >= at) {
      push(put);
      placed = true;
    }
    if (end > at + length) {
      const std::size_t from = std::max(pos, at + length);
      push({p.source, p.begin + (from - pos), p.end});
    }
    pos = end;
  }
  if (!placed) push(put);
  pieces_.swap(next_);
  size_ = size_ - length + put.end;
  modified_ = true;
}

void LineEdit::assign(std::size_t value) {
  pieces_.clear();
  size_ = values_[value].bytes.size();
  if (size_ > 0) pieces_.push_back({value + 1, 0, size_});
  modified_ = true;
}

void LineEdit::clear() {
  pieces_.clear();
  size_ = 0;
  modified_ = true;
}

void LineEdit::copy(std::size_t from, std::size_t to, std::string& out) {
  if (from >= to) return;
  visit(from, false, [&](const Segment& s) {
    const std::size_t n = std::min(s.size, to - s.at);
    out.append(s.bytes, n);
    return s.at + n < to;
  });
}

}  // namespace vellumet
