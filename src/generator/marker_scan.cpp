#include "generator/marker_scan.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "base/line_ends.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace vellumet {

namespace {

// A rough share (in thousandths) of each byte in HTML with scripts and styles.
unsigned weight(unsigned char b) {
  if (b == ' ') return 150;
  if (b >= 'a' && b <= 'z') return 40;
  if (b >= 'A' && b <= 'Z') return 3;
  if (b >= '0' && b <= '9') return 6;
  if (b == '_') return 2;
  if (std::strchr("<>\"=/.;", b) != nullptr) return 20;
  if (std::strchr(",():-#{}'", b) != nullptr) return 10;
  return 3;
}

// Pairs at most this likely (product of the weights) cost a few stops per
// megabyte; a marker without one takes its least likely pair.
constexpr unsigned kRareEnough = 150;

using Triple = std::tuple<unsigned char, unsigned char, std::uint32_t>;

// Where `t` first lies in `m` (offset of its first byte), or -1.
long place(std::string_view m, const Triple& t) {
  const auto [a, b, d] = t;
  for (std::size_t x = 0; x + d < m.size(); ++x) {
    if (static_cast<unsigned char>(m[x]) == a && static_cast<unsigned char>(m[x + d]) == b)
      return static_cast<long>(x);
  }
  return -1;
}

using AnchorBytes = MarkerScan::Pair;

#if !defined(__x86_64__)
std::size_t next_plain(const std::vector<AnchorBytes>& anchors, const char* data, std::size_t from,
                       std::size_t limit) {
  for (std::size_t i = from; i < limit; ++i) {
    if (data[i] == kCr && data[i + 1] != kLf) return i;
    for (const AnchorBytes& a : anchors) {
      if (data[i] == static_cast<char>(a.first) &&
          data[i + a.distance] == static_cast<char>(a.second))
        return i;
    }
  }
  return limit;
}
#endif

#if defined(__x86_64__)
__attribute__((target("avx2"))) std::size_t next_avx2(const std::vector<AnchorBytes>& anchors,
                                                      const char* data, std::size_t from,
                                                      std::size_t limit) {
  const __m256i cr = _mm256_set1_epi8(kCr), lf = _mm256_set1_epi8(kLf);
  for (std::size_t i = from; i < limit; i += 32) {
    const char* p = data + i;
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i after = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
    __m256i hit = _mm256_andnot_si256(_mm256_cmpeq_epi8(after, lf), _mm256_cmpeq_epi8(v, cr));
    for (const AnchorBytes& a : anchors) {
      const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + a.distance));
      hit = _mm256_or_si256(
          hit,
          _mm256_and_si256(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(static_cast<char>(a.first))),
                           _mm256_cmpeq_epi8(w, _mm256_set1_epi8(static_cast<char>(a.second)))));
    }
    const auto bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(hit));
    if (bits != 0) return std::min(i + static_cast<std::size_t>(__builtin_ctz(bits)), limit);
  }
  return limit;
}

std::size_t next_sse2(const std::vector<AnchorBytes>& anchors, const char* data, std::size_t from,
                      std::size_t limit) {
  const __m128i cr = _mm_set1_epi8(kCr), lf = _mm_set1_epi8(kLf);
  for (std::size_t i = from; i < limit; i += 16) {
    const char* p = data + i;
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    __m128i hit = _mm_andnot_si128(_mm_cmpeq_epi8(after, lf), _mm_cmpeq_epi8(v, cr));
    for (const AnchorBytes& a : anchors) {
      const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + a.distance));
      hit = _mm_or_si128(
          hit, _mm_and_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(a.first))),
                             _mm_cmpeq_epi8(w, _mm_set1_epi8(static_cast<char>(a.second)))));
    }
    const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(hit));
    if (bits != 0) return std::min(i + static_cast<std::size_t>(__builtin_ctz(bits)), limit);
  }
  return limit;
}
#endif

using NextFn = std::size_t (*)(const std::vector<AnchorBytes>&, const char*, std::size_t,
                               std::size_t);

NextFn pick_next() {
#if defined(__x86_64__)
  return __builtin_cpu_supports("avx2") ? next_avx2 : next_sse2;
#else
  return next_plain;
#endif
}

}  // namespace

MarkerScan::MarkerScan(const std::vector<std::string_view>& markers) : markers_(markers) {
  std::vector<bool> covered(markers_.size(), false);
  for (std::size_t left = markers_.size(); left > 0;) {
    // The candidate pairs of the markers not yet covered, scored by how many
    // of those markers hold them and how rare they are.
    std::map<Triple, std::pair<unsigned, unsigned>> score;  // -> (markers holding it, weight)
    for (std::size_t i = 0; i < markers_.size(); ++i) {
      if (covered[i]) continue;
      std::string_view m = markers_[i];
      std::map<Triple, bool> seen;
      for (std::size_t x = 0; x < m.size(); ++x) {
        for (std::size_t y = m.size() == 1 ? x : x + 1; y < m.size(); ++y) {
          auto a = static_cast<unsigned char>(m[x]), b = static_cast<unsigned char>(m[y]);
          Triple t{a, b, static_cast<std::uint32_t>(y - x)};
          if (seen[t]) continue;
          seen[t] = true;
          auto& s = score[t];
          ++s.first;
          s.second = m.size() == 1 ? weight(a) * 40 : weight(a) * weight(b);
        }
      }
    }
    auto rank = [](const std::pair<unsigned, unsigned>& s) {
      return std::make_tuple(s.second > kRareEnough, -static_cast<long>(s.first), s.second);
    };
    auto best = std::min_element(score.begin(), score.end(), [&](const auto& x, const auto& y) {
      return rank(x.second) < rank(y.second);
    });
    const Triple t = best->first;
    Anchor anchor{std::get<0>(t), std::get<1>(t), std::get<2>(t), {}};
    for (std::size_t i = 0; i < markers_.size(); ++i) {
      if (covered[i]) continue;
      long x = place(markers_[i], t);
      if (x < 0) continue;
      anchor.markers.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(x)});
      covered[i] = true;
      --left;
    }
    anchors_.push_back(std::move(anchor));
  }
  for (const Anchor& a : anchors_) pairs_.push_back({a.first, a.second, a.distance});
}

std::size_t MarkerScan::next(const char* data, std::size_t from, std::size_t limit) const {
  static const NextFn fn = pick_next();
  if (from >= limit) return limit;
  return fn(pairs_, data, from, limit);
}

}  // namespace vellumet
