#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_result.h"

namespace vellumet {

// Files read and written whole or in pieces. Every failure names its file,
// with the step Read (read_file, FileReader) or Write (AtomicFile).

// Reads a whole regular file (or a file a link leads to) into `bytes`. A
// FIFO, socket or device is refused at once, never waited on, and so is a
// file larger than `max_bytes` (EFBIG).
FileResult read_file(const std::string& path, std::string& bytes, std::size_t max_bytes = SIZE_MAX);

// A file read piece by piece. It is opened without waiting (a FIFO would
// block) and only when it is a regular file; a folder is refused as EISDIR,
// anything else that is not a regular file as EINVAL.
class FileReader {
 public:
  FileReader() = default;
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  FileResult open(const std::string& path);
  // Reads up to `size` bytes at the current position; `got` is 0 at the end.
  FileResult read(char* into, std::size_t size, std::size_t& got);

 private:
  int fd_ = -1;
  std::string path_;
};

// Splits text into lines: CR or CR LF ends a line, a lone LF stays inside the
// line, the last line counts even without a line end. Views point into `bytes`.
std::vector<std::string_view> split_lines(std::string_view bytes);

// A file written beside its final name and put in place only when complete:
// a failure leaves any existing file of that name untouched.
class AtomicFile {
 public:
  explicit AtomicFile(std::string path);
  ~AtomicFile();  // removes the temporary file unless committed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  FileResult open();
  FileResult write(std::string_view bytes);
  // Writes `line` followed by CR LF.
  FileResult write_line(std::string_view line);
  // Flushes, closes and renames over the final name.
  FileResult commit();

 private:
  FileResult flush();
  FileResult write_all(std::string_view bytes);
  FileResult failed(int err) const;
  std::string path_;
  std::string temp_path_;
  int fd_ = -1;
  std::string buffer_;
  bool committed_ = false;
};

}  // namespace vellumet
