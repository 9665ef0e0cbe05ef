#pragma once

#include <string>

#include "base/file_result.h"

namespace vellumet {

// `folder` + "/" + `name`, without doubling the root's "/".
std::string child_path(const std::string& folder, const std::string& name);
// The folder holding `path`; "/" for "/" itself.
std::string parent_path(const std::string& path);

// `path` made absolute (from the working folder) with ".", ".." and symbolic
// links resolved; "" when it does not exist, with the reason in errno.
std::string real_path(const std::string& path);
// The real path of `path` when it names a folder whose entries can be read;
// otherwise "" and `read` holds why (step List, on `path`).
std::string readable_folder(const std::string& path, FileResult& read);

}  // namespace vellumet
