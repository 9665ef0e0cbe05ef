#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vellumet::bench {

// The least a program must do for each task, written with plain system calls.

// The Create-HTML work on `dir` (no final "/"): one listing, the renames to
// img*.gif and pres0.ppz, a presence check per slide, and the three pages
// written from their templates with the slide list.
void floor_create_html(const std::string& dir, const std::string& template_dir, int slides);

// One plain read of a folder's names.
std::vector<std::string> floor_list(const std::string& dir);

// A folder's names read once into one buffer and sorted bytewise, sixteen
// bytes at a time; `into` is used again from call to call.
struct SortedNames {
  struct Entry {
    std::uint64_t head, next;
    std::uint32_t offset, size;
  };
  std::string bytes;
  std::vector<Entry> entries;
};
void floor_list_sorted(const std::string& dir, SortedNames& into);

// Copies a file's bytes to a new file through one buffer, reused from call
// to call and never cleared.
void floor_copy(const std::string& from, const std::string& to);

}  // namespace vellumet::bench
