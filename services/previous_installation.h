#pragma once

#include "platform/framework.h"

// Deletes the plain files of folder (no trailing backslash) that match
// pattern; subfolders and files that cannot be deleted stay. Reports nothing.
void DeleteMatchingFiles(CString folder, CString pattern);
