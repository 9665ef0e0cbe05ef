#include "base/name_list.h"

#include <algorithm>

#include "base/ascii.h"

namespace vellumet {

bool name_less(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    char x = ascii_lower(a[i]), y = ascii_lower(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

NameList::NameList(std::initializer_list<std::string_view> names) {
  for (std::string_view n : names) push_back(n);
}

void NameList::clear() {
  bytes_.clear();
  entries_.clear();
}

void NameList::push_back(std::string_view name) {
  entries_.push_back(
      {0, 0, static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(name.size())});
  bytes_.append(name);
}

void NameList::sort() {
  // Each name's first sixteen folded bytes as two integers settle almost
  // every comparison; only longer ties compare the names themselves.
  for (Entry& e : entries_) {
    const std::string_view name(bytes_.data() + e.offset, e.size);
    e.head = folded_word(name, 0);
    e.next = folded_word(name, 8);
  }
  std::sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
    if (a.head != b.head) return a.head < b.head;
    if (a.next != b.next) return a.next < b.next;
    return name_less({bytes_.data() + a.offset, a.size}, {bytes_.data() + b.offset, b.size});
  });
}

std::vector<std::string> NameList::strings() const {
  return {begin(), end()};
}

}  // namespace vellumet
