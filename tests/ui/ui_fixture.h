#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <memory>
#include <string>

#include "scripted_dialogs.h"
#include "temp_dir.h"
#include "ui/form1.h"

namespace vellumet::ui::testing {

using vellumet::testing::ScriptedDialogs;
using vellumet::testing::TempDir;

// A program folder (see program_folder.h), a working folder
// holding a copy of the sample export ("sample") and an empty folder ("empty"),
// and the main window started there with scripted dialogs.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the window; called by SetUp unless `start_later` is set first.
  void start(std::vector<Volume> volumes = {{"/", "/"}});

  template <typename T = QWidget>
  T* find(const char* name) const {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr) ADD_FAILURE() << "no control named " << name;
    return w;
  }
  QAction* action(const char* name) const;

  // Opens the Dir1 row showing `text` the way a user does, by double-clicking it.
  void open_dir_row(const QString& text);
  // Texts of the Dir1 rows, top to bottom.
  QStringList dir_rows() const;
  // Clicks a control with the left mouse button.
  void click(const char* name);
  // The plain text of a line or multi-line field.
  QString text(const char* name) const;
  // Lets deferred deletes and repaints happen.
  static void settle();

  std::string sample() const { return work.path() + "/sample"; }

  TempDir program;
  TempDir work;
  ScriptedDialogs dialogs;
  std::unique_ptr<Form1> form;
  bool start_later = false;
};

// Drags local files over `target` and drops them there, then lets what the
// drop started run; true when taken.
bool drop_onto(QWidget* target, const QStringList& paths);

// Copies every file of `from` into the new folder `to`.
void copy_folder(const std::string& from, const std::string& to);

}  // namespace vellumet::ui::testing
