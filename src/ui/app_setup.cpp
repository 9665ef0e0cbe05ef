#include "ui/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace vellumet::ui {

void apply_window_font(QApplication& app) {
  QFont font = app.font();
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                    QStringLiteral("Noto Sans CJK JP")});
  font.setPointSize(9);
  app.setFont(font);
}

bool install_japanese_translation(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  app.installTranslator(translator);
  return true;
}

}  // namespace vellumet::ui
