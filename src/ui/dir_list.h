#pragma once

#include <QListWidget>
#include <string>

#include "base/name_list.h"

namespace vellumet::ui {

// The folder list: the current folder's ancestors from its volume's root down,
// the current folder itself, then its sub-folders, each indented one step more.
// Every item carries its full path.
class DirList : public QListWidget {
  Q_OBJECT
 public:
  explicit DirList(QWidget* parent = nullptr);

  // Rebuilds the items for `path`, which lies on the volume mounted at `root`
  // and holds the sub-folders `folders`.
  void show_folder(const std::string& root, const std::string& path, const NameList& folders);

  static std::string item_path(const QListWidgetItem* item);
  // Index of the row showing the current folder.
  int current_folder_row() const { return current_row_; }

 private:
  void add_item(const std::string& path, const QString& text, int depth, bool open);
  int current_row_ = -1;
};

}  // namespace vellumet::ui
