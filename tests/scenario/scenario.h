// A scenario: what the machine holds before a run of the installer, what the
// user does at each screen and box, and what must hold afterwards. The same
// file drives the simulated machine and the real program under Wine, so this
// model and its parser make no operating-system call; each runner applies and
// checks the facts on its own machine. The text format is in FORMAT.md.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace scenario {

enum class RegRoot { LocalMachine, CurrentUser };

// Numbered as the registry numbers them, so a runner can pass them through.
enum class RegType { None = 0, Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7 };

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
bool operator==(const LocalTime& a, const LocalTime& b);
inline bool operator!=(const LocalTime& a, const LocalTime& b) { return !(a == b); }
std::string Format(const LocalTime& t);  // "2002-07-28 01:20:00"

// A file's bytes: unspecified (before: an empty file; after: not compared),
// the bytes of a named file in the payload folder, or literal bytes.
struct Content {
  enum Kind { Unspecified, Payload, Bytes } kind = Unspecified;
  std::string payload;
  std::string bytes;
};

struct Times {
  std::optional<LocalTime> created, accessed, written;
};

// Properties of a shell link; an absent one is neither set nor checked.
struct LinkProps {
  std::optional<std::string> target, dir, desc, icon, args;
  std::optional<int> iconIndex, show;
};

// A line whose meaning belongs to one runner only ("sim ..."): its words and
// name=value options, unquoted and expanded like everything else.
struct Directive {
  std::string keyword;
  std::vector<std::string> args;
  std::vector<std::pair<std::string, std::string>> options;
};

// Something about the machine: set up in the before section, checked in the
// after section. Which fields matter depends on the kind.
struct Fact {
  enum Kind {
    Key,       // root, path: the key exists (before: is created with its parents)
    NoKey,     // root, path: the key does not exist (before: deleted with its subtree)
    Value,     // root, path, name, and unless anyData: type and data
    NoValue,   // root, path, name
    Folder,    // path (before: created with its parents)
    NoFolder,  // path (before: deleted with everything in it)
    File,      // path, content, times, readOnly
    NoFile,    // path
    Link,      // path of the .lnk file, link
    Window,    // before: another program's top-level window titled path
    Mutex,     // before: a named mutex held by another program, named path
    Exit,      // after: anyExit, or exitCode
    Launch,    // after: the program at path was started
    NoLaunch,  // after: no program at path was started
    Posted,    // after: the Window titled path received message
    Sim,       // directive, for the simulated machine only
  } kind = Key;
  int line = 0;
  std::string source;  // the line as written, for messages

  RegRoot root = RegRoot::LocalMachine;
  std::string path;
  std::string name;
  bool anyData = true;
  RegType type = RegType::None;
  std::string data;  // raw bytes as the registry holds them (sz: text and its zero)
  Content content;
  Times times;
  std::optional<bool> readOnly;
  LinkProps link;
  bool anyExit = false;
  unsigned exitCode = 0;
  unsigned message = 0;
  Directive directive;
};

// What the user does or looks at. Each waits for its window where it says so.
struct Step {
  enum Kind {
    Wait,    // caption: a window of the program with that caption becomes the current one
    Check,   // control's text equals text; in the window with caption, or the current one
    Type,    // control: its text becomes text (as WM_SETTEXT would)
    Click,   // control: a button press
    Enter,   // the Enter key in the current window
    Escape,  // the Escape key in the current window
    Close,   // the close box of the current window
    Box,     // a message box: caption, text, style, owner; answered with answer
    Browse,  // the folder browser: choose text, or cancel; title when given
    Shot,    // a screenshot named text
    Rerun,   // the program has ended; it is started again on the same machine
  } kind = Wait;
  int line = 0;
  std::string source;

  std::string caption;
  int control = 0;
  std::string text;
  unsigned style = 0;
  int answer = 0;                     // a button id: IDOK 1 ... IDNO 7
  std::optional<std::string> owner;   // "" means a box without owner
  bool cancel = false;
  std::optional<std::string> title;
  int timeout = 0;                    // seconds; 0: the runner's default
};

struct Scenario {
  enum class Only { Any, Sim, Wine };
  std::string title;
  Only only = Only::Any;
  std::vector<Fact> before;
  std::vector<Step> steps;
  std::vector<Fact> after;
};

// Parses the text of a scenario file. On failure returns false and sets error
// to "line N: what is wrong".
bool Parse(const std::string& text, Scenario* out, std::string* error);

// Variables that a runner takes from its machine: name -> value.
using Variables = std::vector<std::pair<std::string, std::string>>;

// Replaces each ${Name} in text with its value, and $$ with $. An unknown
// name or an unterminated ${ fails with a message naming it.
bool Expand(const std::string& text, const Variables& vars, std::string* out, std::string* error);

// Expands every text of the scenario in place. Error: "line N: ...".
bool ExpandAll(Scenario* s, const Variables& vars, std::string* error);

// Button ids by the names a box step answers with, and back.
int ButtonId(const std::string& name);  // 0 when unknown
const char* ButtonName(int id);          // "?" when unknown

// The text in double quotes for messages, control characters and quotes
// written as escapes (\r, \n, \", \xHH); backslashes stay single, as in paths.
std::string Quote(const std::string& text);

}  // namespace scenario
