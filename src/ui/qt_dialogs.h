#pragma once

#include <QPointer>
#include <QWidget>

#include "job/dialogs.h"

namespace vellumet::ui {

// Message boxes and the open-file dialog as real Qt dialogs, modal to `parent`.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  Answer show(const MessageBox& box) override;
  std::optional<std::string> open_file(const std::string& title, const FileFilter& filter) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace vellumet::ui
