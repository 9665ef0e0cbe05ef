#pragma once

#include "state/job.h"

namespace vellumet {

// Main-window behaviour that the logic needs without a window.

// Shows Command5 while leftovers are listed, Command2 once a source is chosen.
void command_button_check(Job& job);

// Start-up of the main window, minus centring: button check, the standard icon
// list, frame scale, character constants, first-file names, Text1 and Text2.
void form_load(Job& job);

// The check boxes' click reactions, run whenever their state changes.
void check1_click(Job& job);
void check2_click(Job& job);  // the download-file reaction (may open the dialog)
void on_check_changed(Job& job, CheckBox box);

// The option menu items: set the marks, then the box.
void pp_button_on_click(Job& job);
void pp_button_off_click(Job& job);
void down_file_click(Job& job);
void down_off_click(Job& job);

// The exit question; true when the program is to end now.
bool end_syori_click(Job& job);
// The notice of planned features.
void mott_option_click(Job& job);

}  // namespace vellumet
