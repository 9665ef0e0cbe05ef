#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/codec.h"
#include "base/text_file.h"

namespace vellumet {

// Text in the bytes of a code page, with which of its bytes stand for
// themselves as characters: an ASCII character does; the bytes of a
// multi-byte character, an escaped byte or the "?" of a character the code
// page lacks do not. `self` is empty when every ASCII byte does.
struct EncodedText {
  std::string bytes;
  std::vector<std::uint8_t> self;
};
EncodedText encode_text(const Codec& codec, std::u32string_view text);

// One template line while marker rules work on it: pieces of the line's own
// bytes (in memory, or in the template file for a line too long to hold) and
// of values put in. A marker (ASCII) matches only bytes that stand for
// themselves, so every result is the one the decoded characters would give,
// and the line's own bytes are never copied.
class LineEdit {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  struct Piece {
    std::size_t source;  // 0: the line's own bytes; k: values[k - 1]
    std::size_t begin, end;
  };

  LineEdit(const Codec& codec, const std::vector<EncodedText>& values);

  // A line held in memory.
  void start(std::string_view line);
  // A line of `size` bytes at `offset` in `file`, read `chunk` bytes at a time.
  void start(FileReader& file, std::uint64_t offset, std::size_t size, std::size_t chunk);

  std::size_t size() const { return size_; }
  bool modified() const { return modified_; }
  // True when the line is in memory and each of its ASCII bytes stands for itself.
  bool plain();
  // True when the line is in memory and every byte before `at` stands for
  // itself: the bytes of a marker found at `at` are the marker's characters.
  bool plain_before(std::size_t at);
  const std::vector<Piece>& pieces() const { return pieces_; }
  // The line's own bytes when it is in memory.
  std::string_view memory() const { return line_; }
  // A read of the template that failed while the line was looked at.
  const FileResult& error() const { return error_; }

  // Start of the first occurrence of `marker`, npos when there is none.
  std::size_t find(std::string_view marker);
  // True when the line begins with `marker` after its leading blanks (not tabs).
  bool begins_after_blanks(std::string_view marker);
  // [at, at + length) becomes values[value]; the whole line; the empty line.
  void replace(std::size_t at, std::size_t length, std::size_t value);
  void assign(std::size_t value);
  void clear();
  // Appends the bytes [from, to) of the line as it stands.
  void copy(std::size_t from, std::size_t to, std::string& out);

 private:
  struct Segment {
    const char* bytes;
    const std::uint8_t* self;  // nullptr: every byte stands for itself
    std::size_t size;
    std::size_t at;  // position in the line
  };
  template <class Visit>
  void visit(std::size_t from, bool want_self, Visit&& visit);
  bool read(std::uint64_t offset, std::size_t size);

  const Codec& codec_;
  bool utf8_;
  const std::vector<EncodedText>& values_;
  std::vector<Piece> pieces_, next_;
  std::size_t size_ = 0;
  bool modified_ = false;
  std::string_view line_;
  int plain_ = -1;                  // unknown until asked
  std::size_t ascii_ = 0;           // so many leading bytes are known to be ASCII
  std::vector<std::uint8_t> self_;  // of line_, when not plain
  FileReader* file_ = nullptr;
  std::uint64_t offset_ = 0;
  std::size_t chunk_ = 0;
  std::vector<char> buffer_;
  std::vector<std::uint8_t> buffer_self_;
  std::u32string scratch_;
  FileResult error_;
};

}  // namespace vellumet
