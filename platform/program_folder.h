#pragma once

#include <string>

namespace platform {

// The folder of the running executable, without a trailing "/"; empty when
// the executable's path cannot be read.
std::string ProgramFolder();

// The folder part of path: the text before its last "/", empty when it has none.
std::string FolderOf(const std::string& path);

}  // namespace platform
