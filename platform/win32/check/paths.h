// Folders the checks work in.
#pragma once

#include <string>

std::string ExeFolder();     // with a trailing backslash
std::string SystemFolder();  // without one
std::string ModulePath(void* module);
bool Exists(const std::string& path);
// A fresh, empty scratch folder under the system's temporary folder.
std::string ScratchFolder(const char* name);
