// The start-up floor: the main window's widgets, built from its .ui form with
// plain Qt classes, in the window font the program asks for, nothing filled
// in, shown at its size.
#include <QApplication>
#include <QFont>
#include <QMainWindow>

#include "ui_form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QFont font = app.font();
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                    QStringLiteral("Noto Sans CJK JP")});
  font.setPointSize(9);
  app.setFont(font);
  QMainWindow window;
  Ui::Form1 form;
  form.setupUi(&window);
  window.adjustSize();
  window.setFixedSize(window.size());
  window.show();
  return app.exec();
}
