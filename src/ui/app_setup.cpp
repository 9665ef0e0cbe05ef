#include "ui/app_setup.h"

#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <climits>

namespace vellumet::ui {

std::string program_folder() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  std::string exe(buffer, static_cast<std::size_t>(n));
  std::size_t slash = exe.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : exe.substr(0, slash);
}

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
