#include "base/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/file_ops.h"
#include "base/line_ends.h"
#include "base/messages.h"

namespace vellumet {

namespace {

FileResult read_failure(const std::string& path, int err, std::string reason = {}) {
  return FileResult::failure(FileStep::Read, path, err, std::move(reason));
}

// Opens `path` for reading when it is a regular file, with its status in
// `st`; anything else is refused without waiting (without O_NONBLOCK, opening
// a FIFO waits for a writer that may never come).
FileResult open_regular(const std::string& path, int& fd, struct stat& st) {
  fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return read_failure(path, errno);
  FileResult result = FileResult::success();
  if (::fstat(fd, &st) != 0) {
    result = read_failure(path, errno);
  } else if (S_ISDIR(st.st_mode)) {
    result = read_failure(path, EISDIR);
  } else if (!S_ISREG(st.st_mode)) {
    result = read_failure(path, EINVAL, msg::kNotRegularFile);
  }
  if (!result.ok) {
    ::close(fd);
    fd = -1;
  }
  return result;
}

}  // namespace

FileResult read_file(const std::string& path, std::string& bytes, std::size_t max_bytes) {
  bytes.clear();
  int fd = -1;
  struct stat st {};
  if (FileResult opened = open_regular(path, fd, st); !opened.ok) return opened;
  if (static_cast<std::uintmax_t>(st.st_size) > max_bytes) {
    ::close(fd);
    return read_failure(path, EFBIG);
  }
  // Read straight into the string: one copy, however large the file.
  std::size_t size = 0;
  bytes.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : (1 << 16));
  for (;;) {
    if (size == bytes.size()) bytes.resize(size * 2);
    ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      bytes.clear();
      return read_failure(path, err);
    }
    if (n == 0) break;
    size += static_cast<std::size_t>(n);
  }
  bytes.resize(size);
  ::close(fd);
  return FileResult::success();
}

FileReader::~FileReader() {
  if (fd_ >= 0) ::close(fd_);
}

FileResult FileReader::open(const std::string& path) {
  int fd = -1;
  struct stat st {};
  if (FileResult opened = open_regular(path, fd, st); !opened.ok) return opened;
  fd_ = fd;
  path_ = path;
  return FileResult::success();
}

FileResult FileReader::read(char* into, std::size_t size, std::size_t& got) {
  for (;;) {
    ssize_t n = ::read(fd_, into, size);
    if (n >= 0) {
      got = static_cast<std::size_t>(n);
      return FileResult::success();
    }
    if (errno != EINTR) return read_failure(path_, errno);
  }
}

std::vector<std::string_view> split_lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (;;) {
    const void* cr = std::memchr(bytes.data() + start, kCr, bytes.size() - start);
    if (cr == nullptr) break;
    std::size_t i = static_cast<std::size_t>(static_cast<const char*>(cr) - bytes.data());
    lines.push_back(bytes.substr(start, i - start));
    if (i + 1 < bytes.size() && bytes[i + 1] == kLf) ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_path_.empty()) ::unlink(temp_path_.c_str());
}

FileResult AtomicFile::open() {
  std::size_t slash = path_.rfind('/');
  std::string folder = slash == std::string::npos ? "" : path_.substr(0, slash + 1);
  // A hidden name: the temporary file is never listed as a slide or leftover.
  std::string templ = folder + ".vellumet-XXXXXX";
  fd_ = ::mkstemp(templ.data());
  if (fd_ < 0) return failed(errno);
  temp_path_ = templ;
  // mkstemp creates 0600; a page must be readable like any new file.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd_, 0666 & ~mask);
  return FileResult::success();
}

FileResult AtomicFile::write(std::string_view bytes) {
  if (bytes.size() < (1 << 16)) {
    buffer_.append(bytes);
    if (buffer_.size() >= (1 << 16)) return flush();
    return FileResult::success();
  }
  // A large piece goes out directly instead of through the buffer.
  FileResult r = flush();
  if (!r.ok) return r;
  return write_all(bytes);
}

FileResult AtomicFile::write_line(std::string_view line) {
  buffer_.append(line);
  buffer_.append(kCrLf);
  if (buffer_.size() >= (1 << 16)) return flush();
  return FileResult::success();
}

FileResult AtomicFile::flush() {
  FileResult r = write_all(buffer_);
  buffer_.clear();
  return r;
}

FileResult AtomicFile::write_all(std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return failed(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  return FileResult::success();
}

FileResult AtomicFile::commit() {
  if (fd_ < 0) return failed(EBADF);
  FileResult r = flush();
  if (!r.ok) return r;
  if (::fsync(fd_) != 0 && errno != EINVAL) return failed(errno);
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return failed(errno);
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) return failed(errno);
  committed_ = true;
  return FileResult::success();
}

FileResult AtomicFile::failed(int err) const {
  return FileResult::failure(FileStep::Write, path_, err);
}

}  // namespace vellumet
