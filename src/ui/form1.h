#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "job/job.h"
#include "source/listing.h"
#include "ui/volumes.h"

namespace Ui {
class Form1;
}

namespace vellumet::ui {

class FolderBrowser;
class Form2;
class QtDialogs;
class QtWindowValues;

// The main window: folder browser, preview, options, leftover list, the entry
// page name, the action buttons and the menus.
class Form1 : public QMainWindow {
  Q_OBJECT
 public:
  struct Setup {
    std::string program_folder;   // holds Template/, buttons/ and the icon lists
    std::string start_folder;     // shown at start-up; "" = the working folder
    std::vector<Volume> volumes;  // the drive list; empty = the mounted volumes
    Dialogs* dialogs = nullptr;   // message boxes; nullptr = real Qt dialogs
  };

  explicit Form1(const Setup& setup, QWidget* parent = nullptr);
  ~Form1() override;

  Job& job() { return *job_; }
  FolderBrowser& browser() { return *browser_; }
  // The frame style dialog while it is open.
  Form2* form2() const;

  // The menu and button commands.
  void set_frame_click();
  void end_syori();
  // Dir1_Change: slide detection for the folder the folder list now shows,
  // on its files as the folder browser read them.
  void dir1_change(const std::string& folder, const Listing& files);
  // Opens `path` (from the command line or a drop) as if the user had opened
  // it in the folder list; a path that is not a readable folder is reported
  // and nothing changes (false).
  bool open_given_folder(const std::string& path);
  // 「スライド資料を開く...」: a deck chosen in the file dialog is opened.
  void deck_open_click();
  // Makes the show of the deck `path` beside it, with a progress dialog, then
  // opens the show folder as open_given_folder does; a failure is reported
  // and nothing changes, a cancel changes nothing.
  void open_deck(const std::string& path);
  // A path from the command line or a drop: a deck's name (not a folder's)
  // is opened as a deck, anything else as a folder.
  void open_given_path(const std::string& path);

 protected:
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connect_commands();
  void centre_on_screen();

  std::unique_ptr<Ui::Form1> ui_;
  std::unique_ptr<QtDialogs> own_dialogs_;
  std::unique_ptr<QtWindowValues> values_;
  std::unique_ptr<Job> job_;
  FolderBrowser* browser_ = nullptr;
  QPointer<Form2> form2_;
};

}  // namespace vellumet::ui
