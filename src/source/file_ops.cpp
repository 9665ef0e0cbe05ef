#include "source/file_ops.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "generator/codec.h"

namespace vellumet {

bool is_normal_file(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string error_text(int err) {
  // strerror speaks the locale's code set; messages are UTF-8.
  static thread_local Codec locale_codec("");
  return utf8_encode(locale_codec.decode(std::strerror(err)));
}

namespace {

// Both names lead to one file: another letter case on a case-insensitive volume.
bool same_file(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

RenameResult case_only_or_exists(const std::string& from, const std::string& to) {
  if (!same_file(from, to)) return {RenameOutcome::TargetExists, {}};
  if (::rename(from.c_str(), to.c_str()) != 0) return {RenameOutcome::Failed, error_text(errno)};
  return {};
}

}  // namespace

RenameResult rename_no_replace(const std::string& from, const std::string& to) {
  // The common case costs one call; the checks run only when it is refused.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  int err = errno;
  if (err == EEXIST) return case_only_or_exists(from, to);
  if (err == EINVAL || err == ENOSYS) {
    // The file system cannot refuse replacement itself: a hard link can.
    if (::link(from.c_str(), to.c_str()) == 0) {
      ::unlink(from.c_str());
      return {};
    }
    err = errno;
    if (err == EEXIST) return case_only_or_exists(from, to);
    if (err == EPERM || err == EOPNOTSUPP) {
      // No hard links either (FAT): check, then rename.
      struct stat st {};
      if (::lstat(to.c_str(), &st) == 0) return case_only_or_exists(from, to);
      if (::rename(from.c_str(), to.c_str()) == 0) return {};
      err = errno;
    }
  }
  return {RenameOutcome::Failed, error_text(err)};
}

}  // namespace vellumet
