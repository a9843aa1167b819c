// What both halves of the simulated machine share about the running process:
// its last error, its kernel handles, the hooks that start and end a run, and
// the way the sim stops a test that asked for something impossible.
//
// The GUI half (gui_state.h, sim_*.cpp of windows, dialogs, GDI, resources,
// mutexes) defines these os:: calls: every user32 and gdi32 one, and of
// kernel32 GetModuleHandleA, GetModuleFileNameA, GetLastError, SetLastError,
// CreateMutexA, ReleaseMutex, CloseHandle, FindResourceA, LoadResource,
// SizeofResource, LockResource; of the C run-time, exit. gui_state.h says
// what each of them matches a fault against.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "platform/os.h"

namespace sim {

struct Machine;

// Thrown when a test drives the machine into something that cannot happen
// (a box answered with a button it does not have, a dialog nobody expected).
// It leaves RunProcess after the process has been torn down, so the test
// fails with the message.
struct TestFailure : std::runtime_error {
  explicit TestFailure(const std::string& why) : std::runtime_error(why) {}
};
[[noreturn]] void FailTest(const std::string& why);

// The last error of the running process. os::SetLastError does the same;
// this name is for sim code, which sets it on behalf of a failing call.
void SetLastErrorCode(os::DWORD code);

// Kernel handles of the process (mutexes, files, ...). Each part registers the
// handles it gives out with what closing one means; os::CloseHandle finds them
// here. A process that ends closes those still open, in the order opened.
os::HANDLE NewKernelHandle(const char* kind, std::function<void()> onClose);
// The kind given at NewKernelHandle, or nullptr for no open handle.
const char* KernelHandleKind(os::HANDLE handle);
// Closes one: false for a handle that is not open.
bool CloseKernelHandle(os::HANDLE handle);

// Parts with process-wide state of their own (current drive and folder, open
// files, ...) reset it here. Register from a static object in the .cpp file
// that holds the state: the linker keeps that file whenever its state is used.
// Start hooks run after the GUI half's reset, end hooks before its teardown.
typedef void (*ProcessHook)(Machine&);
bool AddProcessStartHook(ProcessHook hook);
bool AddProcessEndHook(ProcessHook hook);

// A fresh handle value, unique on the machine for its lifetime, for any kind
// of object (never null, never INVALID_HANDLE_VALUE, never a small integer).
void* NewHandleValue();

}  // namespace sim
