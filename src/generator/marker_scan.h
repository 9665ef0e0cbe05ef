#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace vellumet {

// Finds, in one pass over a buffer, the places a template copy must stop at:
// each CR not followed by LF (a line end written differently) and each place
// where one of a page's markers may start. Every marker is looked for by two
// of its bytes at their distance (the pair least likely in HTML, shared among
// markers where it can be), all at once, many bytes at a time.
class MarkerScan {
 public:
  // How many bytes a step compares at most: the widest the processor offers,
  // or less (the narrower steps are tested on machines that have wider ones).
  // (AVX-512 was tried: on the machines measured it was slower than AVX2.)
  enum class Width { Plain, Sse2, Avx2, Widest };

  // `markers`: ASCII, 1 to 64 bytes each, no CR or LF.
  explicit MarkerScan(const std::vector<std::string_view>& markers, Width widest = Width::Widest);

  // How many bytes past `limit` next() may read (their values do not matter).
  static constexpr std::size_t kPadding = 192;

  // Puts the hits at or after `from` and before `limit` (below 4 GB) into
  // `out` in order, `room` at most; returns how many. A hit is a CR whose
  // next byte is not LF, or a place a marker may pass through.
  std::size_t hits(const char* data, std::size_t from, std::size_t limit, std::uint32_t* out,
                   std::size_t room) const;
  // The first hit at or after `from` and before `limit`, or `limit`.
  std::size_t next(const char* data, std::size_t from, std::size_t limit) const;

  // The two bytes of an anchor and their distance.
  struct Pair {
    unsigned char first, second;
    std::uint32_t distance;
  };

  // For hit `q`, calls found(marker index, start) for every marker whose bytes
  // are at `start`, lying wholly inside [begin, end).
  template <class Found>
  void markers_at(const char* data, std::size_t begin, std::size_t end, std::size_t q,
                  Found&& found) const {
    for (const Anchor& a : anchors_) {
      if (data[q] != static_cast<char>(a.first) ||
          (q + a.distance < end && data[q + a.distance] != static_cast<char>(a.second)))
        continue;
      for (const Group& g : a.groups) {
        if (q < begin + g.offset) continue;
        const std::size_t start = q - g.offset;
        for (std::uint64_t m = g.by_first[static_cast<unsigned char>(data[start])]; m != 0;
             m &= m - 1) {
          const Placement& p = g.markers[static_cast<std::size_t>(__builtin_ctzll(m))];
          if (start + p.size <= end && std::memcmp(data + start, p.text, p.size) == 0)
            found(p.marker, start);
        }
      }
    }
  }

 private:
  struct Placement {
    std::uint32_t marker;
    const char* text;
    std::uint32_t size;
  };
  // The markers an anchor finds with its first byte at the same offset in
  // them, by their first byte.
  struct Group {
    std::uint32_t offset;
    std::vector<Placement> markers;
    std::array<std::uint64_t, 256> by_first{};
  };
  struct Anchor {
    unsigned char first, second;
    std::uint32_t distance;
    std::vector<Group> groups;
  };
  std::vector<std::string_view> markers_;
  std::vector<Anchor> anchors_;
  std::vector<Pair> pairs_;  // the anchors' bytes alone, for the inner loop
  using Kernel = std::size_t (*)(const std::vector<Pair>&, const char*, std::size_t, std::size_t,
                                 std::uint32_t*, std::size_t);
  Kernel kernel_ = nullptr;  // the widest the processor offers
};

}  // namespace vellumet
