#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <map>

#include "temp_dir.h"
#include "ui/qt_dialogs.h"

namespace vellumet::ui {
namespace {

struct Seen {
  QString title, text;
  QStringList buttons;
  QString default_button;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the next modal box with one key press and records what it showed.
void answer_next_box(Seen& seen, Qt::Key key) {
  QTimer::singleShot(0, [&seen, key] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      ADD_FAILURE() << "no message box open";
      return;
    }
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
    if (box->defaultButton()) seen.default_button = box->defaultButton()->text();
    QTest::keyClick(box, key);
  });
}

TEST(QtDialogsTest, EnterAnswersTheDefaultButton) {
  struct Case {
    MessageBox box;
    Qt::Key key;
    Answer expected;
    QString default_button;
  };
  MessageBox yes_default = question_box("t", "q");
  yes_default.default_answer = Answer::Yes;
  const Case cases[] = {
      {question_box("プログラム終了", "終了しますか。"), Qt::Key_Return, Answer::No, "いいえ(&N)"},
      {yes_default, Qt::Key_Return, Answer::Yes, "はい(&Y)"},
      {question_box("t", "q"), Qt::Key_Escape, Answer::No, "いいえ(&N)"},
      {question_box("t", "q"), Qt::Key_Y, Answer::Yes, "いいえ(&N)"},
      {info_box("t", "i"), Qt::Key_Return, Answer::Ok, {}},
  };
  QtDialogs dialogs;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box.title + " " + c.box.text);
    Seen seen;
    answer_next_box(seen, c.key);
    EXPECT_EQ(dialogs.show(c.box), c.expected);
    EXPECT_EQ(seen.title.toStdString(), c.box.title);
    if (c.box.buttons == BoxButtons::YesNo) {
      EXPECT_EQ(seen.buttons, (QStringList{"はい(&Y)", "いいえ(&N)"}));
      EXPECT_EQ(seen.default_button, c.default_button);
      EXPECT_EQ(seen.icon, QMessageBox::Warning);
    } else {
      EXPECT_EQ(seen.buttons.size(), 1);
      EXPECT_EQ(seen.icon, QMessageBox::Information);
    }
  }
}

TEST(QtDialogsTest, TextsAreShownAsPlainLines) {
  QtDialogs dialogs;
  Seen seen;
  answer_next_box(seen, Qt::Key_Return);
  dialogs.show(info_box("t", "<b>a.htm</b>\r\n\n\tb"));
  EXPECT_EQ(seen.text, "<b>a.htm</b>\n\n\tb");
}

// The size, type and date cells of each row the dialog shows, by name; every
// cell must fit its column.
using Rows = std::map<QString, QStringList>;
void read_rows(QFileDialog* dialog, const std::string& folder, Rows& rows) {
  dialog->setDirectory(QString::fromStdString(folder));
  auto* view = dialog->findChild<QTreeView*>("treeView");
  ASSERT_NE(view, nullptr);
  QAbstractItemModel* model = view->model();
  ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 3; }));
  QTest::qWait(50);  // the columns take their widths
  for (int r = 0; r < 3; ++r) {
    QStringList cells;
    for (int c = 1; c < 4; ++c) {
      cells << model->index(r, c, view->rootIndex()).data().toString();
      EXPECT_LE(view->fontMetrics().horizontalAdvance(cells.last()), view->columnWidth(c))
          << "clipped: " << cells.last().toStdString();
    }
    rows[model->index(r, 0, view->rootIndex()).data().toString()] = cells;
  }
}

// What the open-file dialog shows for a folder, on this test's C locale.
TEST(QtDialogsTest, FileDialogSpeaksJapaneseAndShowsWholeColumns) {
  vellumet::testing::TempDir folder;
  ::mkdir(folder.file("sub").c_str(), 0755);
  vellumet::testing::write_bytes(folder.file("a.gif"), std::string(389, 'g'));
  vellumet::testing::write_bytes(folder.file("b.zip"), std::string(123456, 'z'));

  Rows rows;
  QString title;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no file dialog open";
      return;
    }
    title = dialog->windowTitle();
    read_rows(dialog, folder.path(), rows);
    // Chosen as a user does: the name typed, then Enter.
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) {
      QTest::keyClicks(name, "a.gif");
      QTest::keyClick(name, Qt::Key_Return);
    }
    if (dialog->isVisible()) static_cast<QDialog*>(dialog)->reject();
  });
  QtDialogs dialogs;
  EXPECT_EQ(dialogs.open_file("ダウンロード指定ファイルを選択して下さい。", {}),
            folder.file("a.gif"));
  EXPECT_EQ(title, "ダウンロード指定ファイルを選択して下さい。");

  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows["sub"].mid(0, 2), (QStringList{"", "フォルダ"}));
  EXPECT_EQ(rows["a.gif"].mid(0, 2), (QStringList{"389 バイト", "GIF 画像"}));
  EXPECT_EQ(rows["b.zip"][0], "120.6 KB");
  const QRegularExpression japanese_date(R"(^\d{4}/\d{2}/\d{2} \d{1,2}:\d{2}$)");
  for (const auto& [name, cells] : rows)
    EXPECT_TRUE(japanese_date.match(cells[2]).hasMatch()) << cells[2].toStdString();

  // Cancelled: no file.
  QTimer::singleShot(0, [] {
    if (QWidget* dialog = QApplication::activeModalWidget())
      QTest::keyClick(dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(dialogs.open_file("t", {}), std::nullopt);
}

// A filter offers the folders and the files it names, letters in any case.
TEST(QtDialogsTest, FileDialogOffersTheFilesOfItsFilter) {
  vellumet::testing::TempDir folder;
  ::mkdir(folder.file("sub").c_str(), 0755);
  for (const char* name : {"talk.pdf", "TALK2.PPTX", "notes.txt", "pdf"})
    vellumet::testing::write_bytes(folder.file(name), "x");
  QStringList shown;
  QString filter;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    filter = dialog->selectedNameFilter();
    dialog->setDirectory(QString::fromStdString(folder.path()));
    auto* view = dialog->findChild<QTreeView*>("treeView");
    ASSERT_NE(view, nullptr);
    QAbstractItemModel* model = view->model();
    // The model fills in; the filter then takes the other files out.
    EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 3; }));
    QTest::qWait(100);
    for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
      shown << model->index(r, 0, view->rootIndex()).data().toString();
    dialog->reject();
  });
  QtDialogs dialogs;
  EXPECT_EQ(dialogs.open_file("t", {"資料", {"*.pdf", "*.pptx"}}), std::nullopt);
  EXPECT_EQ(filter, "資料 (*.pdf *.pptx)");
  shown.sort();
  EXPECT_EQ(shown, (QStringList{"TALK2.PPTX", "sub", "talk.pdf"}));
}

}  // namespace
}  // namespace vellumet::ui
