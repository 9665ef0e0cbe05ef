#pragma once

// Shared pieces of the fuzz targets: a dialog seam that answers and counts,
// a scratch folder on tmpfs, and the line-end rule every written file follows.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job/dialogs.h"

namespace vellumet::fuzz {

class RecordingDialogs : public Dialogs {
 public:
  Answer show(const MessageBox& box) override {
    shown.push_back(box);
    return box.buttons == BoxButtons::YesNo ? Answer::Yes : Answer::Ok;
  }
  std::optional<std::string> open_file(const std::string&, const FileFilter&) override {
    return std::nullopt;
  }
  std::vector<MessageBox> shown;
};

// A folder of its own under /dev/shm (or /tmp), made once per process.
inline const std::string& scratch_dir() {
  static const std::string dir = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string templ = std::string(base) + "/vellumet-fuzz-XXXXXX";
    if (mkdtemp(templ.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    return templ;
  }();
  static const bool cleanup_registered = [] {
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(dir, ignored);
    });
    return true;
  }();
  (void)cleanup_registered;
  return dir;
}

inline void write_file(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::abort();
}

inline std::optional<std::string> slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a template without markers must become: CR and CR LF line ends turned
// into CR LF, a lone LF kept inside its line, and a CR LF after the last line
// when the input does not end with a line end. Empty input stays empty.
inline std::string crlf_normalised(std::string_view in) {
  std::string out;
  out.reserve(in.size() + 2);
  bool ended = true;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '\r') {
      out += "\r\n";
      if (i + 1 < in.size() && in[i + 1] == '\n') ++i;
      ended = true;
    } else {
      out += in[i];
      ended = false;
    }
  }
  if (!ended) out += "\r\n";
  return out;
}

// Every "%XX" (two hex digits) turned back into its byte; all else kept.
inline std::string percent_decoded(std::string_view in) {
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '%' && i + 2 < in.size() && hex(in[i + 1]) >= 0 && hex(in[i + 2]) >= 0) {
      out += static_cast<char>(hex(in[i + 1]) * 16 + hex(in[i + 2]));
      i += 2;
    } else {
      out += in[i];
    }
  }
  return out;
}

[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

}  // namespace vellumet::fuzz
