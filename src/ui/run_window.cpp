#include "ui/run_window.h"

#include <QApplication>

#include "base/program_folder.h"
#include "ui/app_setup.h"
#include "ui/artwork.h"
#include "ui/form1.h"

namespace vellumet::ui {

std::string window_folder_argument(const std::vector<std::string>& args) {
  bool options_ended = false;
  for (const std::string& arg : args) {
    if (!options_ended && arg == "--") {
      options_ended = true;
    } else if (options_ended || !arg.starts_with('-')) {
      return arg;
    }
  }
  return {};
}

int run_window(int argc, char** argv) {
  QApplication app(argc, argv);
  set_up_application(app);
  app.setApplicationName(QStringLiteral("Vellumet"));
  app.setDesktopFileName(QStringLiteral("vellumet"));
  app.setWindowIcon(program_icon());
  // Qt has taken its own options out of argv by now.
  const std::string folder =
      window_folder_argument(std::vector<std::string>(argv + 1, argv + argc));

  Form1::Setup setup;
  setup.program_folder = program_folder();
  Form1 form1(setup);
  form1.show();
  // Once the loop runs: a deck's conversion shows its progress over the
  // window, and a signal that stops it can end the program.
  if (!folder.empty())
    QMetaObject::invokeMethod(
        &form1, [&form1, folder] { form1.open_given_path(folder); }, Qt::QueuedConnection);
  return app.exec();
}

}  // namespace vellumet::ui
