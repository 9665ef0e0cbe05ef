// Decks opened in the window, from the menu, the command line or a drop: the
// show folder is made beside the deck and opened as if chosen in the folder
// list; a failure or a cancel changes nothing.

#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "base/messages.h"
#include "deck/failure.h"
#include "deck_pages.h"
#include "run_program.h"
#include "ui/folder_browser.h"
#include "ui/preview_image.h"
#include "ui_fixture.h"

namespace vellumet::ui::testing {
namespace {

using vellumet::testing::entries;
using vellumet::testing::tree_bytes;
using vellumet::testing::write_bytes;

class DeckTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    // LibreOffice's work folders land where the test can see them.
    ::setenv("TMPDIR", temp.path().c_str(), 1);
    if (const char* path = std::getenv("PATH")) old_path = path;
  }
  void TearDown() override {
    ::setenv("PATH", old_path.c_str(), 1);
    ::unsetenv("TMPDIR");
    UiTest::TearDown();
  }

  // What the program left in TMPDIR (Qt keeps a folder of its own there).
  std::vector<std::string> left_in_temp() const {
    std::vector<std::string> left;
    for (const std::string& name : entries(temp.path()))
      if (name.starts_with("vellumet")) left.push_back(name);
    return left;
  }

  std::string make_deck(const std::string& name, int pages) {
    const std::string path = work.file(name);
    auto run = vellumet::testing::run_program(VELLUMET_MAKE_DECK,
                                              {path, "--pages", std::to_string(pages)}, "/");
    EXPECT_EQ(run.status, 0) << run.err;
    return path;
  }
  // Only `bin` on PATH: LibreOffice is what it holds, if anything.
  void office_path() { ::setenv("PATH", bin.path().c_str(), 1); }

  void choose_in_menu(const std::string& deck) {
    dialogs.files = {deck};
    action("deck_open")->trigger();
  }

  TempDir temp, bin;
  std::string old_path;
};

TEST_F(DeckTest, ShowFolderIsMadeOpenedAndPreviewed) {
  const std::string deck = make_deck("talk.pdf", 3);
  struct Case {
    const char* what;
    std::function<void()> open;
  } cases[] = {
      {"from the menu", [&] { choose_in_menu(deck); }},
      {"given again: the show is updated", [&] { form->open_given_path(deck); }},
      {"dropped", [&] { EXPECT_TRUE(drop_onto(form.get(), {QString::fromStdString(deck)})); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.open();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(form->browser().path(), work.file("talk"));
    EXPECT_EQ(text("Text2"), "3");
    EXPECT_EQ(form->job().state.src_dir, work.file("talk") + "/");
    // The show's PDF is its download, not a leftover, chosen without a dialog.
    EXPECT_TRUE(find<QCheckBox>("Check2")->isChecked());
    EXPECT_EQ(text("Text5").toStdString(), work.file("talk") + "/talk.pdf");
    EXPECT_FALSE(text("Text4").contains("talk.pdf")) << text("Text4").toStdString();
    // Slide 1's square, of its own colour, in the preview's top-left corner.
    const QImage& preview = find<PreviewImage>("Image3")->image();
    ASSERT_FALSE(preview.isNull());
    const QColor corner(preview.pixel(10, 10));
    const auto colour = vellumet::testing::page_colour(0);
    EXPECT_NEAR(corner.red(), colour.r, 12);
    EXPECT_NEAR(corner.green(), colour.g, 12);
    EXPECT_NEAR(corner.blue(), colour.b, 12);
  }
  ASSERT_EQ(dialogs.file_dialog_filters.size(), 1u);
  EXPECT_EQ(dialogs.file_dialog_titles[0], msg::kDeckDialogTitle);
  EXPECT_EQ(dialogs.file_dialog_filters[0].patterns,
            (std::vector<std::string>{"*.pdf", "*.pptx", "*.ppt", "*.odp", "*.key"}));
}

TEST_F(DeckTest, FailureIsReportedAndChangesNothing) {
  write_bytes(work.file("cut.pdf"), "%PDF-1.4\n1 0 obj\n<< /Type /Catalog");
  make_deck("taken.pdf", 1);
  ::mkdir(work.file("taken").c_str(), 0755);
  write_bytes(work.file("taken/mine.txt"), "the author's own");
  write_bytes(work.file("slides.pptx"), "PK\x03\x04");
  office_path();  // and no LibreOffice there
  struct Case {
    const char* deck;
    deck::Failure failure;
    std::string file;  // what the message names
  } cases[] = {
      {"cut.pdf", deck::Failure::Corrupt, work.file("cut.pdf")},
      {"taken.pdf", deck::Failure::Foreign, work.file("taken")},
      {"slides.pptx", deck::Failure::NoOffice, work.file("slides.pptx")},
      {"gone.pdf", deck::Failure::NotFound, work.file("gone.pdf")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deck);
    const auto before = tree_bytes(work.path());
    dialogs.shown.clear();
    choose_in_menu(work.file(c.deck));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, BoxKind::Error);
    EXPECT_EQ(dialogs.shown[0],
              error_box(msg::kDeckTitle,
                        deck::failure_message(c.failure, deck::failure_result(c.failure, c.file))));
    EXPECT_EQ(tree_bytes(work.path()), before);
    EXPECT_EQ(left_in_temp(), std::vector<std::string>{});
    EXPECT_EQ(form->browser().path(), work.path());
  }
}

TEST_F(DeckTest, CancelLeavesNothingBehind) {
  write_bytes(bin.file("soffice"), "#!/bin/sh\nexec /bin/sleep 300\n");
  ::chmod(bin.file("soffice").c_str(), 0755);
  office_path();
  write_bytes(work.file("slides.odp"), "PK\x03\x04");
  make_deck("long.pdf", 40);
  struct Case {
    const char* deck;
    QString shown;  // the progress text at which cancel is pressed
  } cases[] = {
      {"slides.odp", QString::fromStdString(msg::fill(msg::kDeckConverting, {"slides.odp"}))},
      {"long.pdf", QStringLiteral(" / 40 ページ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deck);
    const auto before = tree_bytes(work.path());
    QString seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || !seen.isEmpty()) return;
      const QString shown = dialog->findChild<QLabel*>("deck_progress_text")->text();
      if (!shown.contains(c.shown)) return;
      seen = shown;
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    poll.start(5);
    choose_in_menu(work.file(c.deck));
    poll.stop();
    EXPECT_TRUE(seen.contains(c.shown)) << seen.toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(tree_bytes(work.path()), before);
    EXPECT_EQ(left_in_temp(), std::vector<std::string>{});
    EXPECT_EQ(form->browser().path(), work.path());
  }
}

}  // namespace
}  // namespace vellumet::ui::testing
