#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

}  // namespace
}  // namespace vellumet::ui
