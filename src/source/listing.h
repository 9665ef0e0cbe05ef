#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/file_result.h"
#include "base/name_list.h"

namespace vellumet {

// The visible entries of one kind in one folder, sorted by name_less.
struct Listing {
  NameList names;
  FileResult read;  // a failure (step List) when the folder could not be read
};

// What a listing holds: normal files (regular files or links to one) or
// sub-folders (folders or links to one). Names beginning with "." are never
// listed, nor FIFOs, sockets or devices.
enum class EntryKind { NormalFile, Folder };

// The one directory lister: every listing of a folder comes from here. One
// read of `folder` ("" stands for the working folder) fills `files` with its
// normal files and, when given, `folders` with its sub-folders. The listings'
// buffers are used again.
void list_folder(const std::string& folder, Listing& files, Listing* folders = nullptr);

Listing list_entries(const std::string& folder, EntryKind kind);
// The normal files of `folder`.
Listing list_normal_files(const std::string& folder);
// The sub-folders of `folder`; empty when it cannot be read.
std::vector<std::string> sub_folders(const std::string& folder);

// The "*.ext" wildcard: the name ends in "." + ext, letters compared without
// case. An empty ext stands for "*.*", every name.
bool matches_extension(std::string_view name, std::string_view ext);

// Names of `listing` that match "*.ext", in listing order.
std::vector<std::string> filter_extension(const Listing& listing, std::string_view ext);

}  // namespace vellumet
