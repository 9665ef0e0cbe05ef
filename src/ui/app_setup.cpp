#include "ui/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

namespace vellumet::ui {

namespace {

void apply_window_font(QApplication& app) {
  QFont font = app.font();
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                    QStringLiteral("Noto Sans CJK JP")});
  font.setPointSize(9);
  app.setFont(font);
}

// Without the translation file Qt's own English texts remain; nothing is said.
void install_japanese_translation(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return;
  }
  app.installTranslator(translator);
}

}  // namespace

void set_up_application(QApplication& app) {
  // Qt sets the locale from the environment too; the file-name code page follows it.
  std::setlocale(LC_ALL, "");
  // Every widget and dialog made from here on takes this locale.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  apply_window_font(app);
  install_japanese_translation(app);
}

}  // namespace vellumet::ui
