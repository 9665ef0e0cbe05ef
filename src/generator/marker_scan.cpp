#include "generator/marker_scan.h"

#include <algorithm>
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

// One anchor per marker at most.
constexpr std::size_t kMaxAnchors = 64;

// Takes the hits of `bits` (bit k: position at + k), in order, while they lie
// before `limit` and there is room; false when no more are wanted.
inline bool take(std::uint64_t bits, std::size_t at, std::size_t limit, std::uint32_t* out,
                 std::size_t room, std::size_t& n) {
  for (; bits != 0; bits &= bits - 1) {
    const std::size_t q = at + static_cast<std::size_t>(__builtin_ctzll(bits));
    if (q >= limit) return false;
    out[n++] = static_cast<std::uint32_t>(q);
    if (n == room) return false;
  }
  return true;
}

std::size_t hits_plain(const std::vector<AnchorBytes>& anchors, const char* data, std::size_t from,
                       std::size_t limit, std::uint32_t* out, std::size_t room) {
  std::size_t n = 0;
  for (std::size_t i = from; i < limit; ++i) {
    bool hit = data[i] == kCr && data[i + 1] != kLf;
    for (const AnchorBytes& a : anchors) {
      hit = hit || (data[i] == static_cast<char>(a.first) &&
                    data[i + a.distance] == static_cast<char>(a.second));
    }
    if (hit && !take(1, i, limit, out, room, n)) break;
  }
  return n;
}

#if defined(__x86_64__)
// One 32-byte block: a bit for each hit.
template <int N>
__attribute__((target("avx2"), always_inline)) inline std::uint32_t block_avx2(
    const char* p, int count, const __m256i* first, const __m256i* second,
    const std::uint32_t* distance) {
  const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i after = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
  __m256i hit = _mm256_andnot_si256(_mm256_cmpeq_epi8(after, _mm256_set1_epi8(kLf)),
                                    _mm256_cmpeq_epi8(v, _mm256_set1_epi8(kCr)));
  for (int k = 0; k < (N >= 0 ? N : count); ++k) {
    const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + distance[k]));
    hit = _mm256_or_si256(
        hit, _mm256_and_si256(_mm256_cmpeq_epi8(v, first[k]), _mm256_cmpeq_epi8(w, second[k])));
  }
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(hit));
}

// N anchors (any number when N < 0), 64 bytes a round.
template <int N>
__attribute__((target("avx2"))) std::size_t hits_avx2(const std::vector<AnchorBytes>& anchors,
                                                      const char* data, std::size_t from,
                                                      std::size_t limit, std::uint32_t* out,
                                                      std::size_t room) {
  std::size_t n = 0;
  const int count = static_cast<int>(anchors.size());
  __m256i first[kMaxAnchors], second[kMaxAnchors];
  std::uint32_t distance[kMaxAnchors];
  for (int k = 0; k < count; ++k) {
    first[k] = _mm256_set1_epi8(static_cast<char>(anchors[k].first));
    second[k] = _mm256_set1_epi8(static_cast<char>(anchors[k].second));
    distance[k] = anchors[k].distance;
  }
  for (std::size_t i = from; i < limit; i += 64) {
    const std::uint64_t bits =
        block_avx2<N>(data + i, count, first, second, distance) |
        std::uint64_t{block_avx2<N>(data + i + 32, count, first, second, distance)} << 32;
    if (bits != 0 && !take(bits, i, limit, out, room, n)) break;
  }
  return n;
}

std::size_t hits_sse2(const std::vector<AnchorBytes>& anchors, const char* data, std::size_t from,
                      std::size_t limit, std::uint32_t* out, std::size_t room) {
  std::size_t n = 0;
  const std::size_t count = anchors.size();
  __m128i first[kMaxAnchors], second[kMaxAnchors];
  for (std::size_t k = 0; k < count; ++k) {
    first[k] = _mm_set1_epi8(static_cast<char>(anchors[k].first));
    second[k] = _mm_set1_epi8(static_cast<char>(anchors[k].second));
  }
  const __m128i cr = _mm_set1_epi8(kCr), lf = _mm_set1_epi8(kLf);
  for (std::size_t i = from; i < limit; i += 16) {
    const char* p = data + i;
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    __m128i hit = _mm_andnot_si128(_mm_cmpeq_epi8(after, lf), _mm_cmpeq_epi8(v, cr));
    for (std::size_t k = 0; k < count; ++k) {
      const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + anchors[k].distance));
      hit = _mm_or_si128(hit,
                         _mm_and_si128(_mm_cmpeq_epi8(v, first[k]), _mm_cmpeq_epi8(w, second[k])));
    }
    const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(hit));
    if (bits != 0 && !take(bits, i, limit, out, room, n)) break;
  }
  return n;
}
#endif

using NextFn = std::size_t (*)(const std::vector<AnchorBytes>&, const char*, std::size_t,
                               std::size_t, std::uint32_t*, std::size_t);

NextFn pick_kernel(std::size_t anchors, MarkerScan::Width widest) {
  using Width = MarkerScan::Width;
#if defined(__x86_64__)
  if (widest >= Width::Avx2 && __builtin_cpu_supports("avx2")) {
    switch (anchors) {
      case 1:
        return hits_avx2<1>;
      case 2:
        return hits_avx2<2>;
      case 3:
        return hits_avx2<3>;
      case 4:
        return hits_avx2<4>;
      case 5:
        return hits_avx2<5>;
      default:
        return hits_avx2<-1>;
    }
  }
  if (widest >= Width::Sse2) return hits_sse2;
#else
  (void)anchors;
  (void)widest;
#endif
  return hits_plain;
}

}  // namespace

MarkerScan::MarkerScan(const std::vector<std::string_view>& markers, Width widest)
    : markers_(markers) {
  // Every pair of bytes of every marker, as (first, second, distance) keys
  // beside the marker's index, sorted so that each pair's markers lie together.
  std::vector<std::uint64_t> pairs;
  for (std::size_t i = 0; i < markers_.size(); ++i) {
    const std::string_view m = markers_[i];
    for (std::size_t x = 0; x < m.size(); ++x) {
      for (std::size_t y = m.size() == 1 ? x : x + 1; y < m.size(); ++y) {
        const std::uint64_t key = std::uint64_t{static_cast<unsigned char>(m[x])} << 16 |
                                  std::uint64_t{static_cast<unsigned char>(m[y])} << 8 | (y - x);
        pairs.push_back(key << 8 | i);
      }
    }
  }
  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
  auto weight_of = [](std::uint64_t key) {
    const auto a = static_cast<unsigned char>(key >> 16), b = static_cast<unsigned char>(key >> 8);
    return (key & 0xff) == 0 ? weight(a) * 40 : weight(a) * weight(b);
  };

  // Greedily the pair held by the most markers not yet covered, among the
  // rare enough ones first, then the least likely.
  std::vector<bool> covered(markers_.size(), false);
  for (std::size_t left = markers_.size(); left > 0;) {
    std::size_t best = pairs.size();
    std::tuple<bool, long, unsigned> best_rank{};
    for (std::size_t run = 0; run < pairs.size();) {
      std::size_t end = run;
      long holders = 0;
      for (; end < pairs.size() && (pairs[end] >> 8) == (pairs[run] >> 8); ++end) {
        holders += covered[pairs[end] & 0xff] ? 0 : 1;
      }
      const unsigned w = weight_of(pairs[run] >> 8);
      const auto rank = std::make_tuple(w > kRareEnough, -holders, w);
      if (holders > 0 && (best == pairs.size() || rank < best_rank)) {
        best = run;
        best_rank = rank;
      }
      run = end;
    }
    const std::uint64_t key = pairs[best] >> 8;
    const Triple t{static_cast<unsigned char>(key >> 16), static_cast<unsigned char>(key >> 8),
                   static_cast<std::uint32_t>(key & 0xff)};
    Anchor anchor{std::get<0>(t), std::get<1>(t), std::get<2>(t), {}};
    for (std::size_t e = best; e < pairs.size() && (pairs[e] >> 8) == key; ++e) {
      const std::size_t i = pairs[e] & 0xff;
      if (covered[i]) continue;
      const auto offset = static_cast<std::uint32_t>(place(markers_[i], t));
      auto g = std::find_if(anchor.groups.begin(), anchor.groups.end(),
                            [&](const Group& x) { return x.offset == offset; });
      if (g == anchor.groups.end()) g = anchor.groups.insert(g, Group{offset, {}, {}});
      g->by_first[static_cast<unsigned char>(markers_[i][0])] |= std::uint64_t{1}
                                                                 << g->markers.size();
      g->markers.push_back({static_cast<std::uint32_t>(i), markers_[i].data(),
                            static_cast<std::uint32_t>(markers_[i].size())});
      covered[i] = true;
      --left;
    }
    anchors_.push_back(std::move(anchor));
  }
  for (const Anchor& a : anchors_) pairs_.push_back({a.first, a.second, a.distance});
  kernel_ = pick_kernel(pairs_.size(), widest);
}

std::size_t MarkerScan::hits(const char* data, std::size_t from, std::size_t limit,
                             std::uint32_t* out, std::size_t room) const {
  if (from >= limit || room == 0) return 0;
  return kernel_(pairs_, data, from, limit, out, room);
}

std::size_t MarkerScan::next(const char* data, std::size_t from, std::size_t limit) const {
  std::uint32_t q;
  return hits(data, from, limit, &q, 1) == 1 ? q : limit;
}

}  // namespace vellumet
