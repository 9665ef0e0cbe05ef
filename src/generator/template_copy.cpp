#include "generator/template_copy.h"

#include <string.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/ascii.h"
#include "base/line_ends.h"
#include "base/text_file.h"
#include "generator/line_edit.h"
#include "generator/marker_scan.h"

namespace vellumet {

namespace {

constexpr std::size_t kFlushPieces = 512;
constexpr std::size_t kCopyRoom = 256 * 1024;
constexpr std::size_t kFlushCopied = 192 * 1024;
// Shorter pieces are copied together: the kernel takes one piece of a
// gathered write far more slowly than the same bytes copied here.
constexpr std::size_t kCopyBelow = 4096;
constexpr std::size_t kListKept = 1 << 20;
constexpr char kLfByte = kLf;

// A block of memory kept on this thread from one copy to the next: a fresh
// block from the system would cost a page fault for each of its pages on
// every copy. A copy takes the block and gives it back when done.
class KeptBlock {
 public:
  KeptBlock(std::unique_ptr<char[]>& kept, std::size_t& kept_size, std::size_t size)
      : kept_(kept), kept_size_(kept_size) {
    if (kept_size_ >= size && kept_) {
      block_ = std::move(kept_);
      size_ = kept_size_;
    } else {
      block_.reset(new char[size]);
      size_ = size;
    }
  }
  ~KeptBlock() {
    if (!kept_ || kept_size_ < size_) {
      kept_ = std::move(block_);
      kept_size_ = size_;
    }
  }
  KeptBlock(const KeptBlock&) = delete;
  KeptBlock& operator=(const KeptBlock&) = delete;
  char* get() const { return block_.get(); }

 private:
  std::unique_ptr<char[]>& kept_;
  std::size_t& kept_size_;
  std::unique_ptr<char[]> block_;
  std::size_t size_ = 0;
};

// The blocks kept for the read buffer and the copied bytes.
struct KeptBlocks {
  std::unique_ptr<char[]> read, copied;
  std::size_t read_size = 0, copied_size = 0;
};
KeptBlocks& kept_blocks() {
  thread_local KeptBlocks blocks;
  return blocks;
}

// The page's bytes waiting to be written in one gathered write: long pieces
// where they lie (they stay put until then), short ones copied together.
class PageOut {
 public:
  explicit PageOut(AtomicFile& page)
      : page_(page), copied_(kept_blocks().copied, kept_blocks().copied_size, kCopyRoom) {}

  // Bytes that stay where they are until the next flush.
  void add(const char* data, std::size_t size) {
    if (size < kCopyBelow) {
      copy({data, size});
    } else if (!pieces_.empty() && pieces_.back().data + pieces_.back().size == data) {
      pieces_.back().size += size;
    } else {
      pieces_.push_back({data, size});
    }
  }
  // Bytes that may not stay: copied (or written at once when too long).
  void copy(std::string_view bytes) {
    if (bytes.size() > kCopyRoom - used_ && !make_room(bytes)) return;
    char* at = copied_.get() + used_;
    std::memcpy(at, bytes.data(), bytes.size());
    used_ += bytes.size();
    if (!pieces_.empty() && pieces_.back().data + pieces_.back().size == at) {
      pieces_.back().size += bytes.size();
    } else if (!bytes.empty()) {
      pieces_.push_back({at, bytes.size()});
    }
  }
  bool full() const { return pieces_.size() >= kFlushPieces || used_ >= kFlushCopied; }

  // Writes what waits; reports the first failure since the last flush.
  FileResult flush() {
    views_.clear();
    for (const Piece& p : pieces_) views_.emplace_back(p.data, p.size);
    pieces_.clear();
    used_ = 0;
    if (!error_.ok) return std::exchange(error_, FileResult::success());
    return views_.empty() ? FileResult::success() : page_.write_pieces(views_);
  }
  FileResult write(std::string_view bytes) {
    FileResult r = flush();
    return r.ok ? page_.write(bytes) : r;
  }

 private:
  // Writes what waits, to copy `bytes` next; false when they went out at once.
  bool make_room(std::string_view bytes) {
    if (error_.ok) error_ = flush();
    if (bytes.size() <= kCopyRoom) return true;
    if (error_.ok) error_ = page_.write(bytes);
    return false;
  }

  struct Piece {
    const char* data;
    std::size_t size;
  };
  AtomicFile& page_;
  std::vector<Piece> pieces_;
  KeptBlock copied_;
  std::size_t used_ = 0;
  FileResult error_;
  std::vector<std::string_view> views_;
};

// Whether `marker` may lie across or inside `value` once the value is put in
// a line: the value holds it, or a part of the value begins it, ends it or
// is its middle. An empty value lets the bytes on its two sides meet.
bool may_form(std::string_view value, std::string_view marker) {
  if (value.empty() || value.find(marker) != std::string_view::npos ||
      marker.find(value) != std::string_view::npos)
    return true;
  for (std::size_t k = 1; k < marker.size() && k <= value.size(); ++k) {
    if (value.substr(value.size() - k) == marker.substr(0, k) ||
        value.substr(0, k) == marker.substr(marker.size() - k))
      return true;
  }
  return false;
}

// The scan's hits in a buffer, in order, found a batch at a time.
class HitQueue {
 public:
  HitQueue(const MarkerScan& scan, const char* data, std::size_t limit)
      : scan_(scan), data_(data), limit_(limit) {}
  // The next hit (limit when there is none), and taking it.
  std::size_t peek() {
    if (at_ == size_ && from_ < limit_) {
      size_ = scan_.hits(data_, from_, limit_, hits_, kRoom);
      at_ = 0;
      from_ = size_ == kRoom ? hits_[size_ - 1] + 1 : limit_;
    }
    return at_ < size_ ? hits_[at_] : limit_;
  }
  std::size_t next() {
    const std::size_t q = peek();
    if (at_ < size_) ++at_;
    return q;
  }

 private:
  static constexpr std::size_t kRoom = 256;
  const MarkerScan& scan_;
  const char* data_;
  std::size_t limit_, from_ = 0, at_ = 0, size_ = 0;
  std::uint32_t hits_[kRoom];
};

std::vector<std::string_view> marker_texts(const MarkerTable& table) {
  std::vector<std::string_view> texts;
  for (const Marker& m : table) texts.push_back(m.text);
  return texts;
}

class Copier {
 public:
  Copier(const MarkerTable& table, const Codec& codec, std::size_t chunk, FileReader& in,
         AtomicFile& page)
      : table_(table),
        codec_(codec),
        texts_(marker_texts(table)),
        scan_(texts_),
        in_(in),
        page_(page),
        out_(page),
        edit_(codec, values_) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      first_byte_[static_cast<unsigned char>(texts_[i][0])] |= std::uint64_t{1} << i;
      longest_ = std::max(longest_, texts_[i].size());
      values_.push_back(encode_text(codec, table[i].rule.value));
    }
    for (const EncodedText& v : values_) {
      std::uint64_t holds = 0, forms = 0;
      for (std::size_t j = 0; j < texts_.size(); ++j) {
        if (v.bytes.find(texts_[j]) != std::string::npos) holds |= std::uint64_t{1} << j;
        if (may_form(v.bytes, texts_[j])) forms |= std::uint64_t{1} << j;
      }
      holds_.push_back(holds);
      forms_.push_back(forms);
    }
    lists_.resize(table.size());
    capacity_ = std::clamp<std::size_t>(chunk, 4 * longest_ + 16, std::size_t{1} << 30);
    buffer_.emplace(kept_blocks().read, kept_blocks().read_size, capacity_ + MarkerScan::kPadding);
  }

  CopyResult run() {
    for (;;) {
      std::size_t got = 0;
      FileResult r = in_.read(buffer_->get() + size_, capacity_ - size_, got);
      if (!r.ok) return template_failure(r);
      const bool at_end = got == 0;
      size_ += got;
      std::memset(buffer_->get() + size_, 0, MarkerScan::kPadding);
      std::size_t keep = 0;
      if (!copy_lines(at_end, keep)) return result_;
      if (!page_step(out_.flush())) return result_;
      if (at_end) break;
      if (keep == 0 && size_ == capacity_) {
        if (!long_line()) return result_;
        continue;
      }
      shift(keep);
    }
    if (!page_step(page_.commit())) return result_;
    return {};
  }

 private:
  // Copies the complete lines of the buffer (at the end of the template: all
  // of it). `keep` is where the unfinished last line starts.
  bool copy_lines(bool at_end, std::size_t& keep) {
    const char* b = buffer_->get();
    // Without the template's end in view, the last byte's successor is unknown.
    const std::size_t limit = at_end ? size_ : size_ - 1;
    std::size_t out = 0, pos = 0;
    HitQueue hits(scan_, b, limit);
    for (;;) {
      const std::size_t q = hits.next();
      if (q >= limit) break;
      if (q < pos) continue;  // in a line already copied
      if (b[q] == kCr) {
        // A lone CR ends its line: written as CR LF.
        out_.add(b + out, q + 1 - out);
        out_.add(&kLfByte, 1);
        out = pos = q + 1;
        continue;
      }
      std::uint64_t mask = 0;
      std::size_t first = q;
      auto note = [&](std::size_t i, std::size_t start) {
        const std::uint64_t bit = std::uint64_t{1} << i;
        if ((mask & bit) == 0 || start < first_[i]) first_[i] = start;
        mask |= bit;
        first = std::min(first, start);
      };
      scan_.markers_at(b, out, size_, q, note);
      if (mask == 0) continue;
      // The line around the marker.
      std::size_t begin = out;
      if (const void* cr = ::memrchr(b + out, kCr, first - out)) {
        const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - b);
        begin = at + (b[at + 1] == kLf ? 2 : 1);
      }
      const void* cr = std::memchr(b + q, kCr, size_ - q);
      std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - b) : size_;
      if ((cr == nullptr && !at_end) || (!at_end && end + 1 >= size_)) {
        out_.add(b + out, begin - out);
        keep = begin;
        return true;
      }
      while (hits.peek() < end) scan_.markers_at(b, begin, end, hits.next(), note);
      const bool crlf = end < size_ && b[end + 1] == kLf;
      if (replaced_alone(mask, begin)) {
        // The line's one marker becomes its value where the scan found it.
        const auto i = static_cast<std::size_t>(__builtin_ctzll(mask));
        const std::string& value = values_[i].bytes;
        const std::size_t rest = first_[i] + texts_[i].size();
        out_.add(b + out, first_[i] - out);
        out_.add(value.data(), value.size());
        out_.add(b + rest, (crlf ? end + 2 : end) - rest);
        if (!crlf) out_.add(kCrLf, 2);
      } else {
        out_.add(b + out, begin - out);
        edit_.start(std::string_view(b + begin, end - begin));
        if (!apply(mask, begin)) return false;
        for (const LineEdit::Piece& p : edit_.pieces()) out_.add(bytes_of(p), p.end - p.begin);
        out_.add(crlf ? b + end : kCrLf, 2);
      }
      out = pos = end < size_ ? end + (crlf ? 2 : 1) : size_;
      if (out_.full() && !page_step(out_.flush())) return false;
    }
    if (at_end) {
      if (out < size_) {
        out_.add(b + out, size_ - out);
        if (!(size_ - out >= 2 && b[size_ - 2] == kCr && b[size_ - 1] == kLf)) out_.add(kCrLf, 2);
      }
      keep = size_;
      return true;
    }
    keep = out;
    // A line ending in CR LF at the buffer's end leaves nothing to look at.
    if (const void* cr = out < limit ? ::memrchr(b + out, kCr, limit - out) : nullptr) {
      const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - b);
      keep = at + (b[at + 1] == kLf ? 2 : 1);
    }
    out_.add(b + out, keep - out);
    return true;
  }

  // Whether the line at `begin` holds the bytes of one marker only (`mask`),
  // whose rule replaces its first occurrence, whose value cannot form a later
  // marker, and before which every byte stands for itself: then only that
  // occurrence changes.
  bool replaced_alone(std::uint64_t mask, std::size_t begin) const {
    if ((mask & (mask - 1)) != 0) return false;
    const auto i = static_cast<std::size_t>(__builtin_ctzll(mask));
    const MarkerRule& rule = table_[i].rule;
    const bool replaces = rule.kind == MarkerRule::Kind::Replace ||
                          (rule.kind == MarkerRule::Kind::Optional && rule.on);
    if (!replaces || (forms_[i] & ~((mask << 1) - 1)) != 0) return false;
    if (codec_.is_utf8()) return true;
    return is_ascii({buffer_->get() + begin, first_[i] - begin});
  }

  // A line longer than the buffer: its markers and its end are found reading
  // on, then the rules work on it where it lies in the template.
  bool long_line() {
    const std::uint64_t start = base_;
    const std::size_t keep = std::max<std::size_t>(longest_, 1);
    std::uint64_t mask = 0;
    bool at_end = false;
    std::size_t end = 0;
    char* b = buffer_->get();
    for (;;) {
      const std::size_t limit = at_end ? size_ : size_ - 1;
      const void* cr = std::memchr(b, kCr, limit);
      end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - b) : limit;
      HitQueue hits(scan_, b, end);
      for (std::size_t h = hits.next(); h < end; h = hits.next()) {
        scan_.markers_at(b, 0, end, h,
                         [&](std::size_t i, std::size_t) { mask |= std::uint64_t{1} << i; });
      }
      if (cr != nullptr || at_end) break;
      // Read on, keeping the bytes a marker or the line end may continue from.
      shift(size_ - std::min(size_, keep));
      std::size_t got = 0;
      FileResult r = in_.read(b + size_, capacity_ - size_, got);
      if (!r.ok) return template_failure(r).ok;
      at_end = got == 0;
      size_ += got;
      std::memset(b + size_, 0, MarkerScan::kPadding);
    }
    const std::size_t next = end < size_ ? end + (b[end + 1] == kLf ? 2 : 1) : size_;
    edit_.start(in_, start, static_cast<std::size_t>(base_ + end - start), capacity_);
    if (!apply(mask, LineEdit::npos)) return false;
    for (const LineEdit::Piece& p : edit_.pieces()) {
      if (p.source != 0) {
        out_.add(bytes_of(p), p.end - p.begin);
        continue;
      }
      if (!page_step(out_.flush())) return false;
      if (piece_.size() < capacity_) piece_.resize(capacity_);
      for (std::size_t at = p.begin; at < p.end;) {
        std::size_t got = 0;
        const std::size_t n = std::min(capacity_, p.end - at);
        FileResult r = in_.read_at(start + at, piece_.data(), n, got);
        if (r.ok && got == 0) r = FileResult::failure(EIO);
        if (!r.ok) return template_failure(r).ok;
        if (!page_step(page_.write(std::string_view(piece_.data(), got)))) return false;
        at += got;
      }
    }
    out_.add(kCrLf, 2);
    if (!page_step(out_.flush())) return false;
    shift(next);
    return true;
  }

  // Runs the rules on the line in edit_. `mask`: the markers whose bytes the
  // line holds; first_ holds where each first lies in the buffer, the line
  // starting at `begin` there (npos: a line of the file, not in the buffer).
  bool apply(std::uint64_t mask, std::size_t begin) {
    for (std::uint64_t todo = mask; todo != 0;) {
      const auto i = static_cast<std::size_t>(__builtin_ctzll(todo));
      const std::uint64_t bit = std::uint64_t{1} << i;
      const MarkerRule& rule = table_[i].rule;
      const std::string_view text = texts_[i];
      if (rule.kind == MarkerRule::Kind::WholeLine) {
        if (edit_.begins_after_blanks(text)) {
          edit_.assign(i);
          mask = holds_[i] & ~((bit << 1) - 1);
        }
      } else {
        std::size_t at = begin != LineEdit::npos ? first_[i] - begin : LineEdit::npos;
        if (at == LineEdit::npos || edit_.modified() || !edit_.plain_before(at)) {
          at = edit_.find(text);
        }
        if (at != LineEdit::npos) {
          if (rule.kind == MarkerRule::Kind::ListBefore) {
            if (!write_list(i)) return false;
          } else if (rule.kind == MarkerRule::Kind::Optional && !rule.on) {
            edit_.clear();
            mask = 0;
          } else {
            edit_.replace(at, text.size(), i);
            mask |= made_here(at, values_[i].bytes.size(), i, mask);
          }
        }
      }
      if (!edit_.error().ok) return template_failure(edit_.error()).ok;
      todo = mask & ~((bit << 1) - 1);
    }
    return true;
  }

  // Markers after rule `i`, not in `mask`, that the value just put at
  // [at, at + size) may have formed, alone or with the bytes around it.
  std::uint64_t made_here(std::size_t at, std::size_t size, std::size_t i, std::uint64_t mask) {
    const std::uint64_t bit = std::uint64_t{1} << i;
    const std::uint64_t wanted = forms_[i] & ~((bit << 1) - 1) & ~mask;
    if (wanted == 0) return 0;
    const std::size_t from = at > longest_ ? at - longest_ : 0;
    window_.clear();
    edit_.copy(from, std::min(edit_.size(), at + size + longest_), window_);
    std::uint64_t found = 0;
    for (std::size_t t = 0; t < window_.size() && from + t < at + size; ++t) {
      for (std::uint64_t c = first_byte_[static_cast<unsigned char>(window_[t])] & wanted & ~found;
           c != 0; c &= c - 1) {
        const auto j = static_cast<std::size_t>(__builtin_ctzll(c));
        const std::string_view m = texts_[j];
        if (from + t + m.size() > at && t + m.size() <= window_.size() &&
            std::memcmp(window_.data() + t, m.data(), m.size()) == 0)
          found |= std::uint64_t{1} << j;
      }
    }
    return found;
  }

  // The lines of rule i's list, made once and kept while they are few.
  bool write_list(std::size_t i) {
    List& list = lists_[i];
    const ListLine& line_of = table_[i].rule.list;
    std::u32string line;
    if (list.state == List::Unknown) {
      list.state = List::Long;
      for (long j = 1; list.bytes.size() <= kListKept; ++j) {
        line.clear();
        if (!line_of(j, line)) {
          list.state = List::Kept;
          break;
        }
        list.bytes += codec_.encode(line);
        list.bytes += kCrLf;
      }
      if (list.state == List::Long) list.bytes = std::string();
    }
    if (list.state == List::Kept) {
      out_.add(list.bytes.data(), list.bytes.size());
      return true;
    }
    for (long j = 1;; ++j) {
      line.clear();
      if (!line_of(j, line)) return true;
      out_.copy(codec_.encode(line));
      out_.copy(kCrLf);
      if (out_.full() && !page_step(out_.flush())) return false;
    }
  }

  const char* bytes_of(const LineEdit::Piece& p) const {
    return p.source == 0 ? edit_.memory().data() + p.begin
                         : values_[p.source - 1].bytes.data() + p.begin;
  }

  // Moves the bytes from `from` on to the front of the buffer.
  void shift(std::size_t from) {
    std::memmove(buffer_->get(), buffer_->get() + from, size_ - from);
    base_ += from;
    size_ -= from;
  }

  const CopyResult& template_failure(const FileResult& r) {
    result_ = {false, true, r.reason};
    return result_;
  }
  bool page_step(const FileResult& r) {
    if (!r.ok) result_ = {false, false, r.reason};
    return r.ok;
  }

  struct List {
    enum State { Unknown, Kept, Long } state = Unknown;
    std::string bytes;
  };

  const MarkerTable& table_;
  const Codec& codec_;
  std::vector<std::string_view> texts_;
  MarkerScan scan_;
  FileReader& in_;
  AtomicFile& page_;
  PageOut out_;
  std::vector<EncodedText> values_;
  std::vector<std::uint64_t> holds_;  // by rule: the markers its value holds
  std::vector<std::uint64_t> forms_;  // by rule: the markers its value may form (may_form)
  LineEdit edit_;
  std::uint64_t first_byte_[256] = {};
  std::size_t longest_ = 0;
  std::size_t first_[kMaxMarkers] = {};
  std::vector<List> lists_;
  std::string window_;
  std::size_t capacity_ = 0;
  std::optional<KeptBlock> buffer_;
  std::size_t size_ = 0;
  std::uint64_t base_ = 0;  // template offset of buffer_[0]
  std::vector<char> piece_;
  CopyResult result_;
};

}  // namespace

CopyResult copy_template(const std::string& from, const std::string& to, const MarkerTable& table,
                         const Codec& codec, std::size_t chunk) {
  FileReader in;
  FileResult r = in.open(from);
  if (!r.ok) return {false, true, r.reason};
  AtomicFile page(to);
  r = page.open();
  if (!r.ok) return {false, false, r.reason};
  Copier copier(table, codec, chunk, in, page);
  return copier.run();
}

}  // namespace vellumet
