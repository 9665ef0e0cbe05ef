#pragma once

class QApplication;

namespace vellumet::ui {

// What the windows expect of the application, before any of them is made: the
// C library locale from the environment (it gives the file names' code page),
// the Japanese proportional Gothic the layout is measured for (or the closest
// one installed), Qt's own Japanese texts when installed, and the Japanese
// locale for every number, size and date Qt shows, whatever the system's is.
void set_up_application(QApplication& app);

}  // namespace vellumet::ui
