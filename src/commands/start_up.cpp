#include "commands/start_up.h"

#include "base/messages.h"
#include "generator/icon_list.h"
#include "job/button_check.h"
#include "source/start_values.h"

namespace vellumet {

void form_load(Job& job) {
  command_button_check(job);
  read_button_ini(job);
  init_constants(job.state);
  job.window.set_text(TextField::Text1, msg::lines({msg::kInstruction1, msg::kInstruction2}));
  job.window.set_text(TextField::Text2, "");
}

}  // namespace vellumet
