#include "generator/marker_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vellumet {
namespace {

// Every width finds the same stops, and the stops give exactly every lone CR
// and every occurrence of every marker, on random bytes and markers.
TEST(MarkerScan, EveryWidthFindsEveryLoneCrAndEveryMarker) {
  std::mt19937 random(7);
  const std::string alphabet = "ab_AB<>/0 \r\n\x83";
  for (int n = 0; n < 300; ++n) {
    std::vector<std::string> texts(1 + random() % 8);
    for (std::string& t : texts) {
      for (std::size_t k = 1 + random() % 6; k > 0; --k) t += alphabet[random() % 9];
    }
    const std::vector<std::string_view> markers(texts.begin(), texts.end());
    std::string data;
    for (std::size_t k = random() % 700; k > 0; --k) {
      data += random() % 4 == 0 ? texts[random() % texts.size()]
                                : std::string(1, alphabet[random() % alphabet.size()]);
    }
    const std::size_t size = data.size();
    data.append(MarkerScan::kPadding, '\0');

    std::set<std::pair<std::size_t, std::size_t>> want;  // (start, marker); marker ~0: lone CR
    for (std::size_t q = 0; q < size; ++q) {
      if (data[q] == '\r' && data[q + 1] != '\n') want.insert({q, ~std::size_t{0}});
      for (std::size_t i = 0; i < texts.size(); ++i) {
        if (data.compare(q, texts[i].size(), texts[i]) == 0 && q + texts[i].size() <= size)
          want.insert({q, i});
      }
    }
    std::vector<std::size_t> plain_stops;
    for (auto width :
         {MarkerScan::Width::Plain, MarkerScan::Width::Sse2, MarkerScan::Width::Avx2}) {
      const MarkerScan scan(markers, width);
      std::vector<std::size_t> stops;
      std::set<std::pair<std::size_t, std::size_t>> got;
      for (std::size_t q = scan.next(data.data(), 0, size); q < size;
           q = scan.next(data.data(), q + 1, size)) {
        stops.push_back(q);
        if (data[q] == '\r' && data[q + 1] != '\n') got.insert({q, ~std::size_t{0}});
        scan.markers_at(data.data(), 0, size, q, [&](std::size_t i, std::size_t start) {
          got.insert({start, i});
        });
      }
      if (width == MarkerScan::Width::Plain) plain_stops = stops;
      ASSERT_EQ(stops, plain_stops) << "width " << static_cast<int>(width) << ", case " << n;
      ASSERT_EQ(got, want) << "width " << static_cast<int>(width) << ", case " << n;
    }
  }
}

}  // namespace
}  // namespace vellumet
