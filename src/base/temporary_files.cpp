#include "base/temporary_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace vellumet {

namespace {

// The registered temporary files: a few slots a signal handler may read.
constexpr std::size_t kSlots = 16;
std::atomic<const char*> g_registered[kSlots];
// The flag a signal sets instead of ending the program, and that signal.
std::atomic<std::atomic<bool>*> g_cancel{nullptr};
std::atomic<int> g_cancelling{0};

extern "C" void remove_and_end(int signal_number) {
  int none = 0;
  if (std::atomic<bool>* flag = g_cancel.load();
      flag && g_cancelling.compare_exchange_strong(none, signal_number)) {
    flag->store(true);
    return;
  }
  for (auto& slot : g_registered) {
    if (const char* path = slot.load()) ::unlink(path);
  }
  ::_exit(128 + signal_number);
}

bool same_inode(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A name a temporary file of ours has: the prefix and six letters or digits.
bool temporary_name(std::string_view name) {
  const std::string_view prefix = kTemporaryPrefix;
  if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) return false;
  for (char c : name.substr(prefix.size())) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

// Locks `fd` without waiting: 0 when locked, else the errno value.
int try_lock(int fd) {
  return ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
}

}  // namespace

int create_temporary(const std::string& folder, std::string& path) {
  // A dead file's remover may take a new file's name in the moment between
  // its creation and its lock: then the name is given up and another made.
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = folder + kTemporaryPrefix + "XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return -1;
    const int err = try_lock(fd);
    struct stat held {
    }, named{};
    const bool ours = err == 0 && ::fstat(fd, &held) == 0 && ::lstat(name.c_str(), &named) == 0 &&
                      same_inode(held, named);
    // A file system without locks: written unlocked, and never removed as dead.
    if (ours || (err != 0 && err != EWOULDBLOCK)) {
      path = std::move(name);
      return fd;
    }
    ::close(fd);
  }
  errno = EAGAIN;
  return -1;
}

void register_temporary(const char* path) {
  for (auto& slot : g_registered) {
    const char* empty = nullptr;
    if (slot.compare_exchange_strong(empty, path)) return;
  }
  // Every slot taken: this one is left for the next run to remove.
}

void unregister_temporary(const char* path) {
  for (auto& slot : g_registered) {
    const char* held = path;
    if (slot.compare_exchange_strong(held, nullptr)) return;
  }
}

void remove_temporaries_on_signals() {
  struct sigaction action {};
  action.sa_handler = remove_and_end;
  sigfillset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal_number, &action, nullptr);
}

void cancel_on_signals(std::atomic<bool>* flag) {
  g_cancel = nullptr;
  g_cancelling = 0;
  g_cancel = flag;
}

int cancelling_signal() {
  return g_cancelling;
}

FileResult dead_temporaries(const std::string& folder, std::vector<std::string>& names,
                            bool remove) {
  names.clear();
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    if (errno == ENOENT) return {};
    return FileResult::failure(FileStep::List, folder, errno);
  }
  const int dfd = ::dirfd(dir);
  FileResult result;
  for (;;) {
    errno = 0;
    const dirent* e = ::readdir(dir);
    if (e == nullptr) {
      if (errno != 0) result = FileResult::failure(FileStep::List, folder, errno);
      break;
    }
    if (!temporary_name(e->d_name)) continue;
    const int fd = ::openat(dfd, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held {
    }, named{};
    // Held by nobody, and still the file of that name.
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && try_lock(fd) == 0 &&
        ::fstatat(dfd, e->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && same_inode(held, named)) {
      if (!remove || ::unlinkat(dfd, e->d_name, 0) == 0) names.emplace_back(e->d_name);
    }
    ::close(fd);
  }
  ::closedir(dir);
  return result;
}

}  // namespace vellumet
