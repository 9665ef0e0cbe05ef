#include "ui/file_dialog_setup.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

#include "base/messages.h"
#include "ui/text_convert.h"

namespace vellumet::ui {

namespace {

enum Column { kName, kSize, kType, kModified };

// Qt's file model writes sizes and dates in the system locale and names
// folders in English; this view of it writes them in the default locale.
class LocalisedColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr || role != Qt::DisplayRole || index.column() == kName)
      return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const bool folder = files->isDir(source);
    const QLocale locale;
    switch (index.column()) {
      case kSize:
        if (folder) return QString();
        return locale.formattedDataSize(files->size(source), 1, QLocale::DataSizeTraditionalFormat);
      case kType:
        if (folder) return from_utf8(msg::kFolderType);
        break;  // the type's name already follows the default locale
      case kModified:
        return locale.toString(files->lastModified(source), QLocale::ShortFormat);
      default:
        break;
    }
    return QIdentityProxyModel::data(index, role);
  }
};

}  // namespace

void set_up_file_dialog(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.setProxyModel(new LocalisedColumns(&dialog));
  // Room for a long name beside the three other columns.
  dialog.resize(760, 440);
  // The last column still takes what room is left.
  if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

}  // namespace vellumet::ui
