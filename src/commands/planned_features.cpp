#include "commands/planned_features.h"

#include <iterator>

#include "base/messages.h"

namespace vellumet {

void mott_option_click(Job& job) {
  std::vector<std::string> plans(std::begin(msg::kMottPlans), std::end(msg::kMottPlans));
  job.dialogs.show(info_box(
      msg::kMottTitle, msg::paragraphs({msg::kMottHead, msg::indented(plans), msg::kMottTail})));
}

}  // namespace vellumet
