#pragma once

#include <string>

namespace vellumet {

// `folder` + "/" + `name`, without doubling the root's "/".
std::string child_path(const std::string& folder, const std::string& name);
// The folder holding `path`; "/" for "/" itself.
std::string parent_path(const std::string& path);

}  // namespace vellumet
