// The file system as the scenario sees it: folders, bytes, read-only flags
// and the three times in local time.
#pragma once

#include <string>

#include "tests/scenario/scenario.h"

namespace e2e {

bool MakeFolders(const std::string& path, std::string* error);
bool DeleteTree(const std::string& path, std::string* error);
bool ReadBytes(const std::string& path, std::string* bytes, std::string* error);
bool WriteBytes(const std::string& path, const std::string& bytes, std::string* error);

// Sets the times given; the others stay.
bool SetLocalTimes(const std::string& path, const scenario::Times& times, std::string* error);

struct FileTimes {
  scenario::LocalTime created, accessed, written;
};
bool GetLocalTimes(const std::string& path, FileTimes* out, std::string* error);

bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);  // exists and is not a folder

}  // namespace e2e
