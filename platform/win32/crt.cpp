// The C run-time library (msvcrt): exit, time, stdio, files and folders.
#include "platform/os.h"
// after os.h: the C library's headers rename some of these calls with macros
#include <direct.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
// io.h turns these names into macros for its 64-bit-time variants; ours are
// plain functions of namespace os.
#undef _findfirst
#undef _findnext

namespace os {

void exit(int code) { ::exit(code); }

// The 64-bit clock: the same seconds, and no end in 2038.
time_t time(time_t* out) {
  const time_t now = ::_time64(nullptr);
  if (out) *out = now;
  return now;
}

FILE* fopen(const char* name, const char* mode) { return reinterpret_cast<FILE*>(::fopen(name, mode)); }
size_t fwrite(const void* data, size_t size, size_t count, FILE* stream) {
  return ::fwrite(data, size, count, reinterpret_cast<::FILE*>(stream));
}
int fclose(FILE* stream) { return ::fclose(reinterpret_cast<::FILE*>(stream)); }
int rename(const char* from, const char* to) { return ::rename(from, to); }
int remove(const char* name) { return ::remove(name); }
int _unlink(const char* name) { return ::_unlink(name); }
int _mkdir(const char* name) { return ::_mkdir(name); }
int _rmdir(const char* name) { return ::_rmdir(name); }
int _chdir(const char* name) { return ::_chdir(name); }
int _chdrive(int drive) { return ::_chdrive(drive); }
char* _getcwd(char* buffer, int size) { return ::_getcwd(buffer, size); }

// The header maps _findfirst to a 64-bit-time variant that older 32-bit
// msvcrt.dll lack; there msvcrt's own _findfirst is the 32-bit-time one. In
// 64-bit msvcrt.dll _findfirst has always had 64-bit times.
namespace {
#ifdef _WIN64
typedef ::_finddata64i32_t CrtFindData;
intptr_t CrtFindFirst(const char* pattern, CrtFindData* data) { return ::_findfirst64i32(pattern, data); }
int CrtFindNext(intptr_t handle, CrtFindData* data) { return ::_findnext64i32(handle, data); }
#else
typedef ::_finddata32_t CrtFindData;
intptr_t CrtFindFirst(const char* pattern, CrtFindData* data) { return ::_findfirst32(pattern, data); }
int CrtFindNext(intptr_t handle, CrtFindData* data) { return ::_findnext32(handle, data); }
#endif

void Copy(const CrtFindData& from, FindData* to) {
  to->attrib = from.attrib;
  to->size = from.size;
  static_assert(sizeof to->name == sizeof from.name, "name buffers differ");
  ::memcpy(to->name, from.name, sizeof to->name);
}
}  // namespace

intptr_t _findfirst(const char* pattern, FindData* data) {
  CrtFindData found;
  const intptr_t handle = CrtFindFirst(pattern, &found);
  if (handle != -1) Copy(found, data);
  return handle;
}
int _findnext(intptr_t handle, FindData* data) {
  CrtFindData found;
  const int result = CrtFindNext(handle, &found);
  if (result == 0) Copy(found, data);
  return result;
}
int _findclose(intptr_t handle) { return ::_findclose(handle); }

}  // namespace os
