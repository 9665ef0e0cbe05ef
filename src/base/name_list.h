#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace vellumet {

// ASCII letters folded to one case, ties broken by the exact bytes.
bool name_less(std::string_view a, std::string_view b);

// Names kept one after another in one buffer: many names cost a few blocks
// of memory rather than one each, and clear() keeps the blocks for the next
// names, so a list filled again and again allocates nothing once large enough.
class NameList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string_view*;
    using reference = std::string_view;
    const_iterator() = default;
    const_iterator(const NameList* list, std::size_t at) : list_(list), at_(at) {}
    std::string_view operator*() const { return (*list_)[at_]; }
    const_iterator& operator++() {
      ++at_;
      return *this;
    }
    const_iterator operator++(int) { return {list_, at_++}; }
    bool operator==(const const_iterator& other) const { return at_ == other.at_; }

   private:
    const NameList* list_ = nullptr;
    std::size_t at_ = 0;
  };

  NameList() = default;
  NameList(std::initializer_list<std::string_view> names);

  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  std::string_view operator[](std::size_t i) const {
    return {bytes_.data() + entries_[i].offset, entries_[i].size};
  }
  std::string_view front() const { return (*this)[0]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, entries_.size()}; }

  void clear();
  void push_back(std::string_view name);
  // Orders the names by name_less.
  void sort();
  std::vector<std::string> strings() const;

 private:
  struct Entry {
    std::uint64_t head, next;  // sort keys: folded bytes 0..7 and 8..15
    std::uint32_t offset, size;
  };
  std::string bytes_;
  std::vector<Entry> entries_;
};

}  // namespace vellumet
