#include "job_fixture.h"

#include "program_folder.h"
#include "source/slide_set.h"
#include "source/start_values.h"

namespace vellumet::testing {

JobFixture::JobFixture(const std::string& codeset) : job(window, dialogs, program.path(), codeset) {
  make_program_folder(program.path(), ProgramContents::FoldersOnly);
  init_constants(job.state);
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
