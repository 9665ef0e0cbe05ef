#include "commands/exit.h"

#include "base/messages.h"

namespace vellumet {

bool end_syori_click(Job& job) {
  return job.dialogs.show(question_box(msg::kExitTitle, msg::kExitQuestion)) == Answer::Yes;
}

}  // namespace vellumet
