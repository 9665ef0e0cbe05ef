#include "source/listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "base/ascii.h"

namespace vellumet {

bool matches_extension(std::string_view name, std::string_view ext) {
  if (ext.empty()) return true;
  if (name.size() < ext.size() + 1) return false;
  std::string_view tail = name.substr(name.size() - ext.size() - 1);
  if (tail[0] != '.') return false;
  for (std::size_t i = 0; i < ext.size(); ++i) {
    if (ascii_lower(tail[i + 1]) != ascii_lower(ext[i])) return false;
  }
  return true;
}

std::vector<std::string> filter_extension(const Listing& listing, std::string_view ext) {
  std::vector<std::string> out;
  for (std::string_view n : listing.names) {
    if (matches_extension(n, ext)) out.emplace_back(n);
  }
  return out;
}

namespace {

void list_failed(const std::string& folder, int err, Listing& files, Listing* folders) {
  files.read = FileResult::failure(FileStep::List, folder, err);
  if (folders) folders->read = files.read;
}

}  // namespace

void list_folder(const std::string& folder, Listing& files, Listing* folders) {
  files.names.clear();
  files.read = FileResult::success();
  if (folders) {
    folders->names.clear();
    folders->read = FileResult::success();
  }
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) {
    list_failed(folder, errno, files, folders);
    return;
  }
  int dfd = ::dirfd(dir);
  for (;;) {
    errno = 0;
    dirent* e = ::readdir(dir);
    if (!e) {
      if (errno != 0) list_failed(folder, errno, files, folders);
      break;
    }
    if (e->d_name[0] == '.') continue;
    unsigned char type = e->d_type;
    if (type == DT_LNK || type == DT_UNKNOWN) {
      // A link counts as what it leads to.
      struct stat st {};
      type = ::fstatat(dfd, e->d_name, &st, 0) != 0 ? DT_UNKNOWN
             : S_ISREG(st.st_mode)                  ? DT_REG
             : S_ISDIR(st.st_mode)                  ? DT_DIR
                                                    : DT_UNKNOWN;
    }
    if (type == DT_REG) {
      files.names.push_back(e->d_name);
    } else if (type == DT_DIR && folders) {
      folders->names.push_back(e->d_name);
    }
  }
  ::closedir(dir);
  files.names.sort();
  if (folders) folders->names.sort();
}

Listing list_entries(const std::string& folder, EntryKind kind) {
  Listing files, folders;
  list_folder(folder, files, kind == EntryKind::Folder ? &folders : nullptr);
  return kind == EntryKind::Folder ? std::move(folders) : std::move(files);
}

Listing list_normal_files(const std::string& folder) {
  return list_entries(folder, EntryKind::NormalFile);
}

std::vector<std::string> sub_folders(const std::string& folder) {
  return list_entries(folder, EntryKind::Folder).names.strings();
}

}  // namespace vellumet
