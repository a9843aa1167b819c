// The C++ allocation functions for setup.exe, on the C library's heap.
// The library's own versions report exhaustion by throwing, which drags the
// whole exception machinery (and a name demangler) into a program that throws
// nothing. Here exhaustion ends the process, as everywhere else in it.
#include <cstdlib>
#include <new>

namespace {
void* Allocate(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) std::abort();
  return p;
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
