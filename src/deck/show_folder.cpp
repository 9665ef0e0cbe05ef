#include "deck/show_folder.h"

#include <dirent.h>
#include <fcntl.h>
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

bool is_empty_folder(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  bool empty = true;
  while (dirent* entry = ::readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name != "." && name != "..") {
      empty = false;
      break;
    }
  }
  ::closedir(dir);
  return empty;
}

// A file moved during a commit, so that it can be moved back.
struct Move {
  std::string from;
  std::string to;
};

// Moves a file (never a folder, which is not ours) and notes the move.
FileResult move(const std::string& from, const std::string& to, std::vector<Move>& done) {
  if (is_directory(from) && !is_symlink(from)) return FileResult::failure(EISDIR);
  if (::rename(from.c_str(), to.c_str()) != 0) return FileResult::failure(errno);
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
  return named && is_empty_folder(folder) ? FolderUse::Fill : FolderUse::Refuse;
}

std::vector<std::string> manifest_files(const Manifest& manifest) {
  std::vector<std::string> names;
  for (long i = 1; i <= manifest.pages(); ++i) names.push_back(slide_image_name(i, manifest.image));
  if (!manifest.download.empty()) names.push_back(manifest.download);
  return names;
}

Staging::~Staging() {
  if (path_.empty()) return;
  remove_tree(path_);
  if (made_show_ && !committed_) ::rmdir(show_.c_str());
}

FileResult Staging::open(const std::string& show, bool make) {
  show_ = show;
  if (make) {
    if (::mkdir(show.c_str(), 0755) != 0) return FileResult::failure(errno);
    made_show_ = true;
  }
  FileResult result;
  path_ = make_private_folder(show, kStagingPrefix, result);
  if (path_.empty() && made_show_) {
    ::rmdir(show.c_str());
    made_show_ = false;
  }
  return result;
}

FileResult Staging::commit(const std::vector<std::string>& names,
                           const std::vector<std::string>& old_names) {
  // Everything written reaches the disk before any old file goes.
  int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return FileResult::failure(errno);
  int synced = ::syncfs(fd);
  int sync_error = errno;
  ::close(fd);
  if (synced != 0) return FileResult::failure(sync_error);

  FileResult result;
  std::string backup = make_private_folder(show_, kBackupPrefix, result);
  if (backup.empty()) return result;
  std::vector<Move> done;
  auto fail = [&](FileResult failure) {
    undo(done);
    remove_tree(backup);
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
    result = move(path_ + "/" + name, target, done);
    if (!result.ok) return fail(result);
  }
  committed_ = true;
  remove_tree(backup);
  return FileResult::success();
}

}  // namespace vellumet::deck
