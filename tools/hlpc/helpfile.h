// A whole WinHelp 3.1 file: the internal files |SYSTEM, |FONT, |TOPIC,
// |CONTEXT and |TTLBTREE in the help file system (HFS) container.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "bytes.h"
#include "source.h"

namespace hlpc {

using InternalFile = std::pair<std::string, Bytes>;

// The container: header, the internal files, and their directory (a B+ tree).
Bytes BuildHfs(std::vector<InternalFile> files);

// Compiles a parsed source into the bytes of a .hlp file. The first topic is
// the contents topic.
Bytes BuildHelpFile(const HelpSource& source);

}  // namespace hlpc
