#pragma once

#include <string>

#include "commands/options.h"
#include "job_fixture.h"

namespace vellumet::testing {

// A JobFixture whose check boxes run their click reactions, as the window's do.
struct CommandFixture : JobFixture {
  explicit CommandFixture(const std::string& codeset = "UTF-8") : JobFixture(codeset) {
    window.on_check_changed = [this](CheckBox box) { on_check_changed(job, box); };
  }
};

}  // namespace vellumet::testing
