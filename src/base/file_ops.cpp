#include "base/file_ops.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/codec.h"

namespace vellumet {

bool is_normal_file(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool is_directory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool path_exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool is_symlink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string error_text(int err) {
  // strerror speaks the locale's code set; messages are UTF-8.
  static thread_local Codec locale_codec("");
  return utf8_encode(locale_codec.decode(std::strerror(err)));
}

namespace {

FileResult rename_failure(const std::string& from, int err) {
  return FileResult::failure(FileStep::Rename, from, err);
}

// The target name exists: the same file under another letter case (a
// case-insensitive volume) is renamed, anything else is left alone.
FileResult existing_target(const std::string& from, const std::string& to) {
  struct stat src {
  }, dst{};
  if (::lstat(from.c_str(), &src) != 0) return rename_failure(from, errno);
  if (::lstat(to.c_str(), &dst) != 0 || src.st_dev != dst.st_dev || src.st_ino != dst.st_ino) {
    return rename_failure(from, EEXIST);
  }
  if (::rename(from.c_str(), to.c_str()) != 0) return rename_failure(from, errno);
  return {};
}

}  // namespace

FileResult rename_no_replace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  int err = errno;
  if (err == EEXIST) return existing_target(from, to);
  if (err == EINVAL || err == ENOSYS) {
    // The file system cannot refuse replacement itself: a hard link can.
    struct stat dst {};
    if (::lstat(to.c_str(), &dst) == 0) return existing_target(from, to);
    if (::link(from.c_str(), to.c_str()) == 0) {
      ::unlink(from.c_str());
      return {};
    }
    err = errno;
    if (err == EEXIST) return existing_target(from, to);
    if (err == EPERM || err == EOPNOTSUPP) {
      // No hard links either (FAT): checked above, then rename.
      if (::rename(from.c_str(), to.c_str()) == 0) return {};
      err = errno;
    }
  }
  return rename_failure(from, err);
}

FileResult delete_file(const std::string& path) {
  if (::unlink(path.c_str()) != 0) return FileResult::failure(FileStep::Delete, path, errno);
  return {};
}

}  // namespace vellumet
