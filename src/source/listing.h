#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vellumet {

// The normal files of one folder: regular files (or links to one) whose name
// does not begin with ".", sorted by name_less.
struct Listing {
  std::vector<std::string> names;
  int error = 0;  // errno when the folder could not be read (names then empty)
};

Listing list_normal_files(const std::string& folder);

// ASCII letters folded to one case, ties broken by the exact bytes.
bool name_less(std::string_view a, std::string_view b);

// The "*.ext" wildcard: the name ends in "." + ext, letters compared without
// case. An empty ext stands for "*.*", every name.
bool matches_extension(std::string_view name, std::string_view ext);

// Names of `listing` that match "*.ext", in listing order.
std::vector<std::string> filter_extension(const Listing& listing, std::string_view ext);

// ASCII lower case of a name; other bytes unchanged.
std::string ascii_lower(std::string_view text);

}  // namespace vellumet
