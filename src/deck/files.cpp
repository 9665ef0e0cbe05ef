#include "deck/files.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace vellumet::deck {

namespace {

FileResult write_all(int fd, const std::string& path, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FileResult::failure(FileStep::Write, path, errno);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return FileResult::success();
}

// Closes `fd` after `result`; a failed close of a written file fails it, and
// a failure removes `path`.
FileResult finish(int fd, const std::string& path, FileResult result) {
  if (::close(fd) != 0 && result.ok) result = FileResult::failure(FileStep::Write, path, errno);
  if (!result.ok) ::unlink(path.c_str());
  return result;
}

int open_new(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
}

}  // namespace

FileResult write_new_file(const std::string& path, std::string_view bytes) {
  int fd = open_new(path);
  if (fd < 0) return FileResult::failure(FileStep::Write, path, errno);
  return finish(fd, path, write_all(fd, path, bytes.data(), bytes.size()));
}

FileResult copy_file(const std::string& from, const std::string& to) {
  FileReader reader;
  FileResult result = reader.open(from);
  if (!result.ok) return result;
  int fd = open_new(to);
  if (fd < 0) return FileResult::failure(FileStep::Write, to, errno);
  std::vector<char> block(1 << 20);
  for (;;) {
    std::size_t got = 0;
    result = reader.read(block.data(), block.size(), got);
    if (!result.ok || got == 0) break;
    result = write_all(fd, to, block.data(), got);
    if (!result.ok) break;
  }
  return finish(fd, to, result);
}

std::string make_private_folder(const std::string& parent, std::string_view prefix,
                                FileResult& error) {
  std::string path = parent + "/" + std::string(prefix) + "XXXXXX";
  if (!::mkdtemp(path.data())) {
    error = FileResult::failure(FileStep::Write, parent, errno);
    return {};
  }
  return path;
}

void remove_tree(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return;
  if (!S_ISDIR(info.st_mode)) {
    ::unlink(path.c_str());
    return;
  }
  ::nftw(
      path.c_str(),
      [](const char* entry, const struct stat*, int type, struct FTW*) {
        if (type == FTW_DP) {
          ::rmdir(entry);
        } else {
          ::unlink(entry);
        }
        return 0;
      },
      16, FTW_DEPTH | FTW_PHYS);
}

std::string folder_of(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string name_of(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace vellumet::deck
