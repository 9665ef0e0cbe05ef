#include "ui/form1.h"

#include <unistd.h>

#include <cerrno>

#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>

#include "base/file_ops.h"
#include "base/messages.h"
#include "commands/clean_up.h"
#include "commands/create_html.h"
#include "commands/exit.h"
#include "commands/given_folder.h"
#include "commands/options.h"
#include "commands/planned_features.h"
#include "commands/start_up.h"
#include "deck/make_show.h"
#include "source/leftovers.h"
#include "source/slide_set.h"
#include "ui/artwork.h"
#include "ui/colours.h"
#include "ui/deck_progress.h"
#include "ui/folder_browser.h"
#include "ui/form2.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_window_values.h"
#include "ui/text_convert.h"
#include "ui_form1.h"

namespace vellumet::ui {

namespace {

std::string working_folder() {
  std::string folder(4096, '\0');
  while (::getcwd(folder.data(), folder.size()) == nullptr) {
    if (errno != ERANGE) return "/";
    folder.resize(folder.size() * 2);
  }
  folder.resize(folder.find('\0'));
  return folder;
}

// What a drag carries that the window opens: a single local folder or deck,
// as the file system's bytes; "" for anything else.
std::string dragged_item(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls[0].isLocalFile()) return {};
  std::string path = path_bytes(urls[0].toLocalFile());
  return is_directory(path) || deck::is_deck_name(path) ? path : std::string();
}

// The file dialog's choice of decks: every extension of a deck.
FileFilter deck_filter() {
  FileFilter filter{msg::kDeckFilterName, {}};
  for (const std::string& extension : deck::deck_extensions())
    filter.patterns.push_back("*" + extension);
  return filter;
}

}  // namespace

Form1::Form1(const Setup& setup, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::Form1>()) {
  ui_->setupUi(this);
  setWindowIcon(program_icon());

  fill_background(ui_->client, kWindowColour);
  for (QWidget* panel : std::initializer_list<QWidget*>{ui_->Shape1, ui_->Shape2, ui_->Shape3,
                                                        ui_->Shape4, ui_->Check1, ui_->Check2})
    fill_background(panel, kPanelColour);
  // Labels name their fields for screen readers too.
  ui_->Label1->setBuddy(ui_->Text2);
  ui_->Label3->setBuddy(ui_->Text4);
  ui_->Label4->setBuddy(ui_->Text3);
  ui_->Image1->set_art(QStringLiteral("screen_chart"));
  ui_->Image2->set_art(QStringLiteral("floppy"));

  Dialogs* dialogs = setup.dialogs;
  if (dialogs == nullptr) {
    own_dialogs_ = std::make_unique<QtDialogs>(this);
    dialogs = own_dialogs_.get();
  }
  QtWindowValues::Widgets widgets;
  widgets.texts = {ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4, ui_->Text5};
  widgets.checks = {ui_->Check1, ui_->Check2};
  widgets.marks = {ui_->pp_button_on, ui_->pp_button_off, ui_->down_file,
                   ui_->down_off,     ui_->icon_server,   ui_->icon_custom};
  widgets.controls = {ui_->Command2, ui_->Command5, ui_->Text5, ui_->Image3};
  widgets.preview = ui_->Image3;
  values_ = std::make_unique<QtWindowValues>(widgets);
  job_ = std::make_unique<Job>(*values_, *dialogs, setup.program_folder);

  browser_ = new FolderBrowser(ui_->Drive1, ui_->Dir1, ui_->File1, this);
  connect(browser_, &FolderBrowser::dir_changed, this, &Form1::dir1_change);

  connect_commands();

  // A folder or deck dropped anywhere on the window opens, also over a text
  // field that would otherwise take it as text.
  setAcceptDrops(true);
  for (QWidget* w : ui_->client->findChildren<QWidget*>()) {
    if (w->acceptDrops()) w->installEventFilter(this);
  }

  form_load(*job_);
  adjustSize();
  setFixedSize(size());
  centre_on_screen();
  browser_->start(setup.volumes.empty() ? mounted_volumes() : setup.volumes,
                  setup.start_folder.empty() ? working_folder() : setup.start_folder);
}

Form1::~Form1() {
  // The dialog is a window of its own; it must not outlive the job it edits.
  delete form2_;
}

Form2* Form1::form2() const {
  return form2_;
}

void Form1::connect_commands() {
  auto on = [this](QAction* action, void (*command)(Job&)) {
    connect(action, &QAction::triggered, this, [this, command] { command(*job_); });
  };
  auto on_click = [this](QPushButton* button, void (*command)(Job&)) {
    connect(button, &QPushButton::clicked, this, [this, command] { command(*job_); });
  };

  // The window shows how Create HTML ended in its boxes; nothing follows on it.
  auto create_html = [](Job& job) { slide_html_click(job); };
  connect(ui_->deck_open, &QAction::triggered, this, &Form1::deck_open_click);
  on(ui_->slide_html, create_html);
  on(ui_->gomi, gomi_click);
  connect(ui_->end_syori, &QAction::triggered, this, &Form1::end_syori);
  on(ui_->pp_button_on, pp_button_on_click);
  on(ui_->pp_button_off, pp_button_off_click);
  on(ui_->down_file, down_file_click);
  on(ui_->down_off, down_off_click);
  connect(ui_->set_frame, &QAction::triggered, this, &Form1::set_frame_click);
  on(ui_->icon_server, icon_server_click);
  on(ui_->icon_custom, icon_custom_click);
  on(ui_->mott_option, mott_option_click);

  // The buttons that repeat a menu command.
  on_click(ui_->Command2, create_html);
  connect(ui_->Command3, &QPushButton::clicked, this, &Form1::end_syori);
  on_click(ui_->Command5, gomi_click);

  // A box's reaction runs on every change of its state, from a click or from code.
  auto on_state = [this](QCheckBox* box, CheckBox which) {
    connect(box, &QCheckBox::stateChanged, this, [this, box, which](int state) {
      // Only code sets the greyed state; a click leaves it for good.
      if (state != Qt::PartiallyChecked) box->setTristate(false);
      on_check_changed(*job_, which);
    });
  };
  on_state(ui_->Check1, CheckBox::Check1);
  on_state(ui_->Check2, CheckBox::Check2);

  // The leftover rule reads the entry page name and the download file.
  for (QLineEdit* field : {ui_->Text3, ui_->Text5})
    connect(field, &QLineEdit::textEdited, this, [this] { refresh_gomi(*job_); });
}

void Form1::changeEvent(QEvent* event) {
  // Coming back to the window: show folders made or removed elsewhere meanwhile.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) browser_->refresh();
  QMainWindow::changeEvent(event);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  if (!dragged_item(event->mimeData()).empty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
  const std::string item = dragged_item(event->mimeData());
  if (item.empty()) return;
  event->acceptProposedAction();
  // Opened once the drop is over, so a box or a conversion cannot hold up
  // the program it was dragged from.
  QMetaObject::invokeMethod(
      this, [this, item] { open_given_path(item); }, Qt::QueuedConnection);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (!dragged_item(drop->mimeData()).empty()) {
      if (type == QEvent::Drop) {
        dropEvent(drop);
      } else {
        drop->acceptProposedAction();
      }
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool Form1::open_given_folder(const std::string& path) {
  const std::string folder = given_folder(*job_, path);
  if (folder.empty()) return false;
  browser_->open_from_outside(folder);
  return true;
}

void Form1::deck_open_click() {
  if (auto deck = job_->dialogs.open_file(msg::kDeckDialogTitle, deck_filter())) open_deck(*deck);
}

void Form1::open_deck(const std::string& path) {
  const DeckRun run = make_show_with_progress(this, path);
  if (run.signal != 0) {
    // Stopped by a signal that ends the program: it ends now, with the
    // status it would have had without the conversion. The windows go with
    // the event loop; closing them here would end it with status 0.
    QCoreApplication::exit(128 + run.signal);
    return;
  }
  const deck::Outcome& outcome = run.outcome;
  if (outcome.failure == deck::Failure::Cancelled) return;
  if (!outcome.ok()) {
    job_->dialogs.show(error_box(
        msg::kDeckTitle, deck::failure_message(outcome.failure, outcome.result, &job_->dialogs)));
    return;
  }
  if (!open_given_folder(outcome.show.folder)) return;
  // The show's PDF is offered as its download, as on the command line, and
  // so is no leftover.
  if (!outcome.show.manifest.download.empty()) {
    const QSignalBlocker quiet(ui_->Check2);
    ui_->Check2->setTristate(false);
    choose_download(*job_, outcome.show.folder + "/" + outcome.show.manifest.download);
  }
}

void Form1::open_given_path(const std::string& path) {
  if (!is_directory(path) && deck::is_deck_name(path)) {
    open_deck(path);
  } else {
    open_given_folder(path);
  }
}

void Form1::set_frame_click() {
  // A window of its own, not a child of this one: left open, it keeps the
  // program running after the main window has been closed.
  if (!form2_) form2_ = new Form2(*job_);
  form2_->show();
  form2_->raise();
  form2_->activateWindow();
}

void Form1::dir1_change(const std::string& folder, const Listing& files) {
  preview_pic(*job_, folder, files);
}

void Form1::end_syori() {
  if (!end_syori_click(*job_)) return;
  if (form2_) form2_->close();
  close();
  QCoreApplication::quit();
}

void Form1::centre_on_screen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  // Integer halving, rounding toward zero.
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

}  // namespace vellumet::ui
