// The simulated Windows machine that the host build's os:: calls act on.
// A test owns a Machine, fills it (files, registry, drives, windows of other
// programs, a scripted user), runs the installer on it as a process, and reads
// back what was shown and what the machine holds afterwards.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/gui_state.h"
#include "platform/sim/system_state.h"

namespace sim {

// ---- what the user sees --------------------------------------------------------
// One entry of the transcript: everything the program shows, in order.
struct Event {
  enum Kind { DialogShown, DialogEnded, MessageBox, Browse, Launch, Exit } kind;
  int templateId = 0;      // dialogs: the template; boxes: the owner's template (0: no owner)
  std::string owner;       // boxes: the owner's caption, or "" for none
  std::string text;        // box text, dialog caption, browse title, launched file
  std::string caption;     // box caption
  unsigned style = 0;      // box style
  long long result = 0;    // button pressed, dialog end code, exit code
  std::string detail;      // browse: chosen path; launch: verb|directory
};

// What a user does in a dialog that waits for input.
struct Action {
  enum Kind { Click, Type, Enter, Escape, Close } kind;
  int control = 0;
  std::string text;
  static Action ClickOn(int id) { return {Click, id, {}}; }
  static Action TypeInto(int id, std::string t) { return {Type, id, std::move(t)}; }
  static Action PressEnter() { return {Enter, 0, {}}; }
  static Action PressEscape() { return {Escape, 0, {}}; }
  static Action CloseBox() { return {Close, 0, {}}; }
};

// A modal dialog as the user sees it when asked for the next action.
struct DialogView {
  int templateId;
  std::string caption;
  std::function<std::string(int)> textOf;  // control id -> its current text
};

// The person in front of the simulated machine. The scripted user of the
// tests implements this; an unexpected question must fail the test.
class User {
 public:
  virtual ~User() = default;
  virtual int AnswerBox(const Event& box) = 0;
  virtual Action Act(const DialogView& dialog) = 0;
  // The folder browser: true and a path, or false when the user cancels.
  virtual bool Browse(const std::string& title, std::string* path) = 0;
};

// ---- fault injection ------------------------------------------------------------
// Makes an os:: operation fail. op is the function's name ("RegCreateKeyExA",
// "_chdir", "fwrite", ...); match, when not empty, must equal the call's main
// text argument (path, key path, value name) for the fault to apply; times
// counts the calls it applies to (-1: every call). code is the failure the
// call reports where it has one (error code, HRESULT, return value).
struct Fault {
  std::string op;
  std::string match;
  int times = -1;
  long code = 0;
};

struct Machine {
  Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // A machine is in use from the start of its construction (its own set-up
  // and a test's direct os:: calls reach it) until it is destroyed or another
  // one is put in use.
  struct InUse {
    explicit InUse(Machine* machine);
    ~InUse();
    Machine* machine;
  } inUse{this};

  GuiState gui;        // windows, dialogs, GDI, other programs, resources
  SystemState system;  // drives, files, registry, shell, COM, version.dll, clock

  std::vector<Event> transcript;
  User* user = nullptr;

  void Fail(const std::string& op, const std::string& match = "", long code = 0, int times = -1);
  // Called by every os:: operation of the sim: true (with the code) when a
  // fault applies to this call; it then uses up one of the fault's times.
  bool Failing(const char* op, const std::string& arg, long* code = nullptr);
  std::vector<Fault> faults;
};

// The machine the os:: calls act on; set for the duration of a run (or by a
// test that calls os:: functions directly through Use).
Machine& M();
void Use(Machine* machine);

// Ends the simulated process: os::exit throws it; RunProcess catches it.
struct ProcessExit {
  int code;
};

// Runs main as one process of the machine: fresh process state (current
// folder, windows, handles, last error), the user answering, and the exit code
// of os::exit or main's result. Windows left open die with the process.
int RunProcess(Machine& machine, User& user, const std::function<int()>& main);

}  // namespace sim
