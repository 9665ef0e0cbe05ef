#include "fixture.h"

#include <sys/stat.h>

#include "source/slide_set.h"
#include "state/window_logic.h"

namespace vellumet::testing {

JobFixture::JobFixture(const std::string& codeset) : job(window, dialogs, program.path(), codeset) {
  ::mkdir((program.path() + "/Template").c_str(), 0755);
  ::mkdir((program.path() + "/buttons").c_str(), 0755);
  init_constants(job.state);
  window.on_check_changed = [this](CheckBox box) { on_check_changed(job, box); };
}

void JobFixture::put_template(const std::string& name, const std::string& bytes) {
  write_bytes(program.path() + "/Template/" + name, bytes);
}

void JobFixture::put(const std::string& name, const std::string& bytes) {
  write_bytes(show.file(name), bytes);
}

void JobFixture::browse_show() {
  preview_pic(job, show.path());
}

std::string box_log(const ScriptedDialogs& d) {
  std::string out;
  for (const auto& b : d.shown) out += "[" + b.title + "] " + b.text + "\n";
  return out;
}

}  // namespace vellumet::testing
