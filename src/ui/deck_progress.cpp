#include "ui/deck_progress.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <atomic>
#include <thread>

#include "base/messages.h"
#include "base/temporary_files.h"
#include "deck/files.h"
#include "ui/text_convert.h"

namespace vellumet::ui {

namespace {

class DeckProgress : public QDialog {
 public:
  DeckProgress(QWidget* parent, const std::string& name, std::atomic<bool>& cancel)
      : QDialog(parent), name_(to_utf8(display_name(name))), cancel_(cancel) {
    setObjectName(QStringLiteral("deck_progress"));
    setWindowTitle(from_utf8(msg::kDeckTitle));
    setWindowModality(Qt::ApplicationModal);
    text_ = new QLabel(from_utf8(msg::fill(msg::kDeckReading, {name_})), this);
    text_->setObjectName(QStringLiteral("deck_progress_text"));
    text_->setTextFormat(Qt::PlainText);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("deck_progress_bar"));
    bar_->setRange(0, 0);  // busy until the page count is known
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::rejected, this, &DeckProgress::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addWidget(buttons_);
    setMinimumWidth(380);
  }

  // Asks the work to stop; the dialog stays until it has.
  void reject() override {
    if (cancel_.exchange(true)) return;
    stopping();
  }

  void show_progress(const deck::Progress& progress) {
    if (cancel_) return stopping();
    text_->setText(from_utf8(deck::progress_message(name_, progress)));
    bar_->setRange(0, static_cast<int>(progress.pages));
    bar_->setValue(static_cast<int>(progress.done));
  }

 private:
  void stopping() {
    text_->setText(from_utf8(msg::fill(msg::kDeckCancelling, {name_})));
    buttons_->setEnabled(false);
  }

  std::string name_;
  std::atomic<bool>& cancel_;
  QLabel* text_;
  QProgressBar* bar_;
  QDialogButtonBox* buttons_;
};

}  // namespace

DeckRun make_show_with_progress(QWidget* parent, const std::string& deck) {
  std::atomic<bool> cancel{false};
  DeckProgress dialog(parent, deck::name_of(deck), cancel);
  deck::Options options;
  options.cancel = &cancel;
  // Called on the workers' threads: the dialog learns of it on its own.
  options.progress = [&dialog](const deck::Progress& progress) {
    QMetaObject::invokeMethod(
        &dialog, [&dialog, progress] { dialog.show_progress(progress); }, Qt::QueuedConnection);
  };

  DeckRun run;
  QEventLoop loop;
  cancel_on_signals(&cancel);
  std::thread worker([&] {
    run.outcome = deck::make_show({deck, ""}, options);
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  dialog.show();
  loop.exec();
  worker.join();
  run.signal = cancelling_signal();
  cancel_on_signals(nullptr);
  return run;
}

}  // namespace vellumet::ui
