#include "base/file_result.h"

#include <utility>

#include "base/file_ops.h"

namespace vellumet {

FileResult FileResult::failure(FileStep step, std::string file, int err, std::string reason) {
  if (reason.empty()) reason = error_text(err);
  return {false, step, std::move(file), err, std::move(reason)};
}

}  // namespace vellumet
