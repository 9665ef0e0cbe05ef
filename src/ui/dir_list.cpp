#include "ui/dir_list.h"

#include <QApplication>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "source/listing.h"
#include "source/paths.h"
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

DirList::DirList(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new IndentDelegate(this));
  setUniformItemSizes(true);
}

void DirList::show_folder(const std::string& root, const std::string& path,
                          const NameList& folders) {
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
  for (std::string_view name : folders)
    add_item(child_path(path, std::string(name)), display_name(name), depth, false);
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
