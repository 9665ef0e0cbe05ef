#include "ui/folder_browser.h"

#include <QComboBox>
#include <QListWidget>

#include "base/file_ops.h"
#include "source/listing.h"
#include "source/paths.h"
#include "ui/dir_list.h"
#include "ui/text_convert.h"

namespace vellumet::ui {

namespace {

std::string without_final_slash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

FolderBrowser::FolderBrowser(QComboBox* drive1, DirList* dir1, QListWidget* file1, QObject* parent)
    : QObject(parent), drive1_(drive1), dir1_(dir1), file1_(file1) {
  connect(drive1_, &QComboBox::activated, this, &FolderBrowser::choose_drive);
  connect(dir1_, &QListWidget::itemActivated, this, &FolderBrowser::item_activated);
}

void FolderBrowser::start(std::vector<Volume> volumes, const std::string& start_folder) {
  volumes_ = std::move(volumes);
  if (volumes_.empty()) volumes_.push_back({"/", "/"});
  current_of_volume_.clear();
  for (const Volume& v : volumes_) current_of_volume_.push_back(v.root);

  std::string start = existing_folder(without_final_slash(start_folder));
  drive_ = volume_of(volumes_, start);
  if (drive_ < 0) {
    drive_ = 0;
    start = volumes_[0].root;
  }
  current_of_volume_[drive_] = start;

  drive1_->clear();
  for (const Volume& v : volumes_) drive1_->addItem(from_utf8(v.label));
  drive1_->setCurrentIndex(drive_);
  show_path(start);
}

void FolderBrowser::open_folder(const std::string& folder) {
  std::string target = existing_folder(without_final_slash(folder));
  if (!under_root(target) || target == path_) {
    if (!is_directory(path_)) return;
    // No change (or a folder off this drive): the lists are only read again.
    show_path(path_);
    return;
  }
  show_path(target);
  current_of_volume_[drive_] = target;
  emit dir_changed(path_, files_);
}

void FolderBrowser::open_from_outside(const std::string& folder) {
  const std::string target = existing_folder(without_final_slash(folder));
  const int drive = volume_of(volumes_, target);
  if (drive < 0) return;
  drive_ = drive;
  drive1_->setCurrentIndex(drive);
  current_of_volume_[drive] = target;
  show_path(target);
  emit dir_changed(path_, files_);
}

void FolderBrowser::choose_drive(int index) {
  if (index < 0 || index >= static_cast<int>(volumes_.size()) || index == drive_) return;
  drive_ = index;
  drive1_->setCurrentIndex(index);
  std::string target = existing_folder(current_of_volume_[index]);
  if (!under_root(target)) target = volumes_[index].root;
  current_of_volume_[index] = target;
  bool changed = target != path_;
  show_path(target);
  if (changed) emit dir_changed(path_, files_);
}

void FolderBrowser::refresh() {
  if (path_.empty()) return;
  if (is_directory(path_)) {
    show_path(path_);
  } else {
    open_folder(path_);
  }
}

void FolderBrowser::item_activated(QListWidgetItem* item) {
  open_folder(DirList::item_path(item));
}

void FolderBrowser::show_path(const std::string& folder) {
  path_ = folder;
  list_folder(path_, files_, &folders_);
  dir1_->show_folder(volumes_[drive_].root, path_, folders_.names);
  fill_file_list();
}

void FolderBrowser::fill_file_list() {
  file1_->clear();
  QStringList names;
  names.reserve(static_cast<qsizetype>(files_.names.size()));
  for (std::string_view name : files_.names) names.append(display_name(name));
  file1_->addItems(names);
}

bool FolderBrowser::under_root(const std::string& folder) const {
  const std::string& root = volumes_[drive_].root;
  return root == "/" || folder == root || folder.starts_with(root + "/");
}

std::string FolderBrowser::existing_folder(std::string folder) const {
  if (folder.empty() || folder[0] != '/') folder = "/" + folder;
  while (folder != "/" && !is_directory(folder)) folder = parent_path(folder);
  return folder;
}

}  // namespace vellumet::ui
