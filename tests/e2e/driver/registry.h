// The registry as the scenario sees it: keys by path, values as raw bytes.
#pragma once

#include <windows.h>

#include <string>

#include "tests/scenario/scenario.h"

namespace e2e {

bool CreateKey(scenario::RegRoot root, const std::string& path, std::string* error);
bool DeleteKeyTree(scenario::RegRoot root, const std::string& path, std::string* error);
bool KeyExists(scenario::RegRoot root, const std::string& path);
bool SetValue(const scenario::Fact& value, std::string* error);
bool DeleteValue(scenario::RegRoot root, const std::string& path, const std::string& name, std::string* error);

// ERROR_SUCCESS with the value's type and bytes, or the registry's error.
LONG QueryValue(scenario::RegRoot root, const std::string& path, const std::string& name, DWORD* type,
                std::string* data);

}  // namespace e2e
