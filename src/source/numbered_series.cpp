#include "source/numbered_series.h"

#include <algorithm>
#include <map>

#include "base/ascii.h"
#include "base/messages.h"

namespace vellumet {

namespace {

// Up to this many numbers or series are named in a finding.
constexpr std::size_t kMostNamed = 10;

constexpr const char* kImageExtensions[] = {"gif", "jpg", "jpeg", "png", "webp"};

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// "first ～ last" of a series, or the one image's name.
std::string range(const Series& s, const Dialogs& dialogs) {
  if (s.images.size() == 1) return dialogs.shown_name(s.images.front());
  return msg::fill(msg::kSeriesRange,
                   {dialogs.shown_name(s.images.front()), dialogs.shown_name(s.images.back())});
}

std::string numbers_text(const std::vector<long>& numbers) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < numbers.size() && i <= kMostNamed; ++i)
    items.push_back(std::to_string(numbers[i]));
  return msg::enumerated(items, kMostNamed);
}

// "png 11 枚、jpg 1 枚" when the series holds more than one image type; ""
// when it holds one. Extensions as written, lower-cased, in name order.
std::string mixed_types(const Series& s) {
  std::map<std::string, long> counts;
  for (const std::string& name : s.images) counts[ascii_lower(name.substr(name.rfind('.') + 1))]++;
  const std::string& first = s.extensions.front();
  bool mixed = false;
  for (const std::string& e : s.extensions) mixed = mixed || e != first;
  if (!mixed) return {};
  std::vector<std::string> items;
  for (const auto& [ext, count] : counts)
    items.push_back(msg::fill(msg::kSeriesTypeCount, {ext, std::to_string(count)}));
  return msg::enumerated(items, items.size());
}

}  // namespace

bool parse_numbered_name(std::string_view name, NumberedName& parsed) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view ext = name.substr(dot + 1);
  if (std::none_of(std::begin(kImageExtensions), std::end(kImageExtensions),
                   [ext](const char* e) { return equals_folded(ext, e); }))
    return false;
  std::size_t start = dot;
  while (start > 0 && is_digit(name[start - 1])) --start;
  const std::size_t digits = dot - start;
  if (digits == 0 || digits > 9) return false;
  long number = 0;
  for (std::size_t i = start; i < dot; ++i) number = number * 10 + (name[i] - '0');
  parsed = {name.substr(0, start), number, ext};
  return true;
}

std::string slide_extension(std::string_view extension) {
  std::string ext = ascii_lower(extension);
  return ext == "jpeg" ? "jpg" : ext;
}

std::vector<Series> find_series(const Listing& listing) {
  struct Entry {
    std::string base;  // folded
    long number;
    std::size_t at;  // in the listing
  };
  // One image alone is a series when it is named as a first slide, as a deck's
  // one page is: "img001" or "sld001", then its extension.
  auto is_first_slide_name = [](const Entry& e, const Listing& names) {
    const std::string_view name = names.names[e.at];
    return (e.base == "img" || e.base == "sld") && e.number == 1 && name.substr(3, 4) == "001.";
  };
  std::vector<Entry> entries;
  NumberedName parsed;
  for (std::size_t i = 0; i < listing.names.size(); ++i) {
    if (parse_numbered_name(listing.names[i], parsed))
      entries.push_back({ascii_lower(parsed.base), parsed.number, i});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.base != b.base) return a.base < b.base;
    return a.number != b.number ? a.number < b.number : a.at < b.at;
  });
  std::vector<Series> found;
  for (std::size_t from = 0; from < entries.size();) {
    std::size_t to = from + 1;
    while (to < entries.size() && entries[to].base == entries[from].base) ++to;
    const Entry& first = entries[from];
    if (first.number <= 1 && (to - from >= 2 || is_first_slide_name(first, listing))) {
      Series s;
      for (std::size_t i = from; i < to; ++i) {
        const std::string_view name = listing.names[entries[i].at];
        s.images.emplace_back(name);
        s.numbers.push_back(entries[i].number);
        s.extensions.push_back(slide_extension(name.substr(name.rfind('.') + 1)));
      }
      found.push_back(std::move(s));
    }
    from = to;
  }
  return found;
}

std::vector<std::string> series_faults(const std::vector<Series>& series, const Dialogs& dialogs) {
  if (series.size() > 1) {
    std::vector<std::string> ranges;
    for (const Series& s : series) ranges.push_back(range(s, dialogs));
    return {msg::fill(msg::kSeriesSeveral,
                      {std::to_string(series.size()), msg::enumerated(ranges, kMostNamed)})};
  }
  std::vector<std::string> faults;
  if (series.empty()) return faults;
  const Series& s = series.front();
  const std::string name = range(s, dialogs);
  const std::string types = mixed_types(s);
  if (!types.empty()) faults.push_back(msg::fill(msg::kSeriesMixed, {name, types}));
  std::vector<long> twice, missing;
  for (std::size_t i = 1; i < s.numbers.size(); ++i) {
    const long a = s.numbers[i - 1], b = s.numbers[i];
    if (a == b && (twice.empty() || twice.back() != a)) twice.push_back(a);
    for (long n = a + 1; n < b && missing.size() <= kMostNamed; ++n) missing.push_back(n);
  }
  if (!twice.empty())
    faults.push_back(msg::fill(msg::kSeriesSameNumber, {name, numbers_text(twice)}));
  if (!missing.empty()) faults.push_back(msg::fill(msg::kSeriesGap, {name, numbers_text(missing)}));
  return faults;
}

}  // namespace vellumet
