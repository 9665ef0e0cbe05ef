#include "ui/dir_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QApplication>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <memory>

#include "source/listing.h"
#include "ui/text_convert.h"

namespace vellumet::ui {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentStep = 8;

// Shifts each row right by its depth so the list reads as a path.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem shifted = option;
    shifted.rect.setLeft(option.rect.left() + kIndentStep * index.data(kDepthRole).toInt());
    QStyledItemDelegate::paint(painter, shifted, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += kIndentStep * index.data(kDepthRole).toInt();
    return size;
  }
};

}  // namespace

bool is_directory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> sub_folders(const std::string& folder) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (entry->d_type != DT_DIR && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) continue;
    if (is_directory(child_path(folder, name))) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return name_less(a, b); });
  return names;
}

std::string child_path(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string parent_path(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return path.substr(0, slash);
}

DirList::DirList(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new IndentDelegate(this));
  setUniformItemSizes(true);
}

void DirList::show_folder(const std::string& root, const std::string& path) {
  clear();
  // Ancestors from the volume's root down to the current folder.
  std::vector<std::string> chain;
  for (std::string p = path; p.size() > root.size(); p = parent_path(p)) chain.push_back(p);
  chain.push_back(root);
  std::reverse(chain.begin(), chain.end());
  int depth = 0;
  for (const std::string& p : chain) {
    QString text = depth == 0 ? display_name(root)
                              : display_name(std::string_view(p).substr(p.find_last_of('/') + 1));
    add_item(p, text, depth++, true);
  }
  current_row_ = count() - 1;
  for (const std::string& name : sub_folders(path))
    add_item(child_path(path, name), display_name(name), depth, false);
  setCurrentRow(current_row_);
}

void DirList::add_item(const std::string& path, const QString& text, int depth, bool open) {
  auto* item = new QListWidgetItem(
      style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon), text, this);
  item->setData(kPathRole, QByteArray::fromStdString(path));
  item->setData(kDepthRole, depth);
  item->setData(Qt::AccessibleTextRole, text);
}

std::string DirList::item_path(const QListWidgetItem* item) {
  return item ? item->data(kPathRole).toByteArray().toStdString() : std::string();
}

}  // namespace vellumet::ui
