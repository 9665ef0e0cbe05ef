#pragma once

#include <string>

#include "job/job.h"

namespace vellumet {

// The slide-show options: the check boxes, their menu items and the icon menus.

// The check boxes' click reactions, run whenever their state changes.
void check1_click(Job& job);
// The download-file reaction (may open the dialog); the leftover list follows.
void check2_click(Job& job);
// The download option turned on with `file` as if it had been chosen in the
// dialog (a deck's own PDF): the marks, the box, Text5 and the leftover list.
// Whoever owns the window keeps the box's reaction from running meanwhile.
void choose_download(Job& job, const std::string& file);
// The reaction of `box`; whoever owns the window connects its state changes here.
void on_check_changed(Job& job, CheckBox box);

// The option menu items: set the marks, then the box.
void pp_button_on_click(Job& job);
void pp_button_off_click(Job& job);
void down_file_click(Job& job);
void down_off_click(Job& job);

// The icon menu items: set the marks, then read the icon list they select.
void icon_server_click(Job& job);
void icon_custom_click(Job& job);

}  // namespace vellumet
