#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "source/listing.h"
#include "ui/volumes.h"

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace vellumet::ui {

class DirList;

// Ties the drive list, the folder list and the hidden file list together. Each
// volume remembers the folder last shown on it. Every change of the browsed
// folder, from the folder list or from a drive change, emits `dir_changed`
// exactly once, after the file list has been read. A folder is read once for
// all three: its sub-folders for the folder list, its files for the file
// list and for the detection that follows.
class FolderBrowser : public QObject {
  Q_OBJECT
 public:
  FolderBrowser(QComboBox* drive1, DirList* dir1, QListWidget* file1, QObject* parent = nullptr);

  // Fills the lists for `volumes` with `start_folder` shown; runs no detection.
  void start(std::vector<Volume> volumes, const std::string& start_folder);

  // The folder list's path: no final "/" except at the root.
  const std::string& path() const { return path_; }
  int drive() const { return drive_; }

  // Moves the folder list to `folder` (Dir1_Change runs when it differs). A
  // folder that no longer exists gives way to its nearest existing ancestor.
  void open_folder(const std::string& folder);
  // Shows `folder`, on whichever volume holds it, and runs detection for it
  // even when it is the folder already shown: a folder handed over from
  // outside the lists opens as if the user had opened it in them.
  void open_from_outside(const std::string& folder);
  // Picks another drive (Drive1_Change).
  void choose_drive(int index);
  // Reads the current folder again (folders made or removed meanwhile). Runs
  // detection only when the folder itself has gone and an ancestor is shown.
  void refresh();

 signals:
  // Dir1_Change: the folder list now shows `folder` (no final "/" except at
  // the root), whose normal files are `files`. The main window runs slide
  // detection on them.
  void dir_changed(const std::string& folder, const vellumet::Listing& files);

 private:
  void item_activated(QListWidgetItem* item);
  void show_path(const std::string& folder);
  void fill_file_list();
  std::string existing_folder(std::string folder) const;
  bool under_root(const std::string& folder) const;

  QComboBox* drive1_;
  DirList* dir1_;
  QListWidget* file1_;
  std::vector<Volume> volumes_;
  std::vector<std::string> current_of_volume_;
  int drive_ = -1;
  std::string path_;
  Listing files_, folders_;  // of path_, read again at each change
};

}  // namespace vellumet::ui
