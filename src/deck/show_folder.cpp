#include "deck/show_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/file_ops.h"
#include "deck/files.h"
#include "source/file_names.h"

namespace vellumet::deck {

namespace {

constexpr const char* kStagingPrefix = ".vellumet-new-";
constexpr const char* kBackupPrefix = ".vellumet-old-";
constexpr const char* kLockName = "/.lock";

// A work folder's name: one of the two prefixes and six letters or digits.
bool work_folder_name(std::string_view name) {
  for (std::string_view prefix : {kStagingPrefix, kBackupPrefix}) {
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) continue;
    for (char c : name.substr(prefix.size())) {
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
        return false;
    }
    return true;
  }
  return false;
}

// The entries of `folder` but "." and ".."; false when it cannot be read.
bool entries_of(const std::string& folder, std::vector<std::string>& names) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  while (dirent* entry = ::readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return true;
}

// The lock of the work folder `folder`, taken without waiting: its file's
// descriptor, or -1 when another process holds it or the file is not the
// folder's own. With `make`, a missing lock file is made, so that a run
// that has just made the folder cannot take it afterwards.
int take_lock(const std::string& folder, bool make) {
  const std::string lock = folder + kLockName;
  int fd =
      ::open(lock.c_str(), (make ? O_RDWR | O_CREAT : O_RDONLY) | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  struct stat held {
  }, named{};
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &held) != 0 ||
      ::lstat(lock.c_str(), &named) != 0 || held.st_dev != named.st_dev ||
      held.st_ino != named.st_ino) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// A work folder no process holds; one without a lock file counts as such.
bool dead_work_folder(const std::string& folder) {
  if (!is_real_folder(folder)) return false;
  if (!path_exists(folder + kLockName)) return true;
  int fd = take_lock(folder, false);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// Nothing in `folder` but the work folders of runs that ended by force.
bool holds_nothing_of_use(const std::string& folder) {
  std::vector<std::string> names;
  if (!entries_of(folder, names)) return false;
  for (const std::string& name : names) {
    if (!work_folder_name(name) || !dead_work_folder(folder + "/" + name)) return false;
  }
  return true;
}

// Puts the files of the dead backup folder `backup` back into `show` where
// nothing has their names.
void put_back(const std::string& backup, const std::string& show) {
  std::vector<std::string> names;
  if (!entries_of(backup, names)) return;
  for (const std::string& name : names) {
    if (name == kLockName + 1) continue;
    std::string from = backup + "/" + name;
    if (is_real_folder(from)) continue;
    (void)rename_no_replace(from, show + "/" + name);
  }
}

// A file moved during a commit, so that it can be moved back.
struct Move {
  std::string from;
  std::string to;
};

// Moves a file (never a folder, which is not ours) and notes the move.
FileResult move(const std::string& from, const std::string& to, std::vector<Move>& done) {
  if (is_directory(from) && !is_symlink(from))
    return FileResult::failure(FileStep::Rename, from, EISDIR);
  if (::rename(from.c_str(), to.c_str()) != 0)
    return FileResult::failure(FileStep::Rename, from, errno);
  done.push_back({from, to});
  return FileResult::success();
}

void undo(std::vector<Move>& done) {
  for (auto it = done.rbegin(); it != done.rend(); ++it) ::rename(it->to.c_str(), it->from.c_str());
  done.clear();
}

}  // namespace

std::string show_folder_for(const std::string& deck, const std::string& out) {
  if (!out.empty()) {
    std::string folder = out;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
  }
  std::string name = name_of(deck);
  std::size_t dot = name.find_last_of('.');
  std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  if (stem.empty()) return {};
  if (deck.find('/') == std::string::npos) return stem;
  std::string folder = folder_of(deck);
  return folder == "/" ? "/" + stem : folder + "/" + stem;
}

FolderUse folder_use(const std::string& folder, bool named, Manifest& old) {
  if (!path_exists(folder)) return FolderUse::Create;
  if (!is_directory(folder) || is_symlink(folder)) return FolderUse::Refuse;
  if (read_manifest(folder, old)) return FolderUse::Update;
  if (!holds_nothing_of_use(folder)) return FolderUse::Refuse;
  if (named) return FolderUse::Fill;
  // Made by a run that was killed before its show was in place.
  std::vector<std::string> names;
  return entries_of(folder, names) && !names.empty() ? FolderUse::Create : FolderUse::Refuse;
}

void remove_dead_work_folders(const std::string& show) {
  std::vector<std::string> names;
  if (!entries_of(show, names)) return;
  for (const std::string& name : names) {
    if (!work_folder_name(name)) continue;
    const std::string folder = show + "/" + name;
    if (!is_real_folder(folder)) continue;
    int lock = take_lock(folder, true);
    if (lock < 0) continue;
    if (name.starts_with(kBackupPrefix)) put_back(folder, show);
    remove_tree(folder);
    ::close(lock);
  }
}

FileResult WorkFolder::make(const std::string& show, const char* prefix) {
  remove();
  FileResult result;
  // A remover of dead folders may take a new one in the moment before its
  // lock is held: then that one is left to it and another made.
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = make_private_folder(show, prefix, result);
    if (path.empty()) return result;
    const std::string lock = path + kLockName;
    int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST || errno == ENOENT) continue;
      result = FileResult::failure(FileStep::Write, lock, errno);
      remove_tree(path);
      return result;
    }
    ::close(fd);
    lock_ = take_lock(path, false);
    if (lock_ < 0) continue;
    path_ = std::move(path);
    return result;
  }
  return FileResult::failure(FileStep::Write, show, EAGAIN);
}

void WorkFolder::remove() {
  if (!path_.empty()) remove_tree(path_);
  path_.clear();
  if (lock_ >= 0) ::close(lock_);
  lock_ = -1;
}

std::vector<std::string> manifest_files(const Manifest& manifest) {
  std::vector<std::string> names;
  for (long i = 1; i <= manifest.pages(); ++i) names.push_back(slide_image_name(i, manifest.image));
  if (!manifest.download.empty()) names.push_back(manifest.download);
  return names;
}

Staging::~Staging() {
  staging_.remove();
  if (made_show_ && !committed_) ::rmdir(show_.c_str());
}

FileResult Staging::open(const std::string& show, bool make) {
  show_ = show;
  if (make) {
    if (::mkdir(show.c_str(), 0755) != 0) return FileResult::failure(FileStep::Write, show, errno);
    made_show_ = true;
  }
  FileResult result = staging_.make(show, kStagingPrefix);
  if (!result.ok && made_show_) {
    ::rmdir(show.c_str());
    made_show_ = false;
  }
  return result;
}

FileResult Staging::commit(const std::vector<std::string>& names,
                           const std::vector<std::string>& old_names) {
  // Everything written reaches the disk before any old file goes.
  const std::string& staged = staging_.path();
  int fd = ::open(staged.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return FileResult::failure(FileStep::Write, staged, errno);
  int synced = ::syncfs(fd);
  int sync_error = errno;
  ::close(fd);
  if (synced != 0) return FileResult::failure(FileStep::Write, staged, sync_error);

  WorkFolder backup_folder;
  FileResult result = backup_folder.make(show_, kBackupPrefix);
  if (!result.ok) return result;
  const std::string& backup = backup_folder.path();
  std::vector<Move> done;
  auto fail = [&](FileResult failure) {
    undo(done);
    return failure;
  };
  for (const std::string& name : old_names) {
    if (std::find(names.begin(), names.end(), name) != names.end()) continue;
    if (!path_exists(show_ + "/" + name)) continue;
    result = move(show_ + "/" + name, backup + "/" + name, done);
    if (!result.ok) return fail(result);
  }
  for (const std::string& name : names) {
    std::string target = show_ + "/" + name;
    if (path_exists(target)) {
      result = move(target, backup + "/" + name, done);
      if (!result.ok) return fail(result);
    }
    result = move(staged + "/" + name, target, done);
    if (!result.ok) return fail(result);
  }
  committed_ = true;
  return FileResult::success();
}

}  // namespace vellumet::deck
