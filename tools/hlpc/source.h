// The help text source that hlpc compiles. A line-based text format:
//
//   ; a comment
//   .title <help file title>            before the first topic
//   .copyright <text>                   before the first topic
//   .topic <context-id> <topic title>   starts a topic; the first one is the contents
//   .h <text>                           a sub-heading
//   - <text>                            a list item
//   <text>                              body text; lines up to a blank line make one paragraph
//
// In body text, list items and sub-headings, [words](context-id) is a jump to a topic.
// Context ids are made of A-Z, a-z, 0-9, '_' and '.', as WinHelp 3.1 allows.
#pragma once

#include <string>
#include <vector>

namespace hlpc {

struct Run {
  std::string text;
  std::string jump;  // context id of the target topic, empty for plain text
};

enum class ParagraphKind { Title, Heading, Body, ListItem };

struct Paragraph {
  ParagraphKind kind = ParagraphKind::Body;
  std::vector<Run> runs;
};

struct Topic {
  std::string context;
  std::string title;
  std::vector<Paragraph> paragraphs;  // starts with the title as a Title paragraph
};

struct HelpSource {
  std::string title;
  std::string copyright;
  std::vector<Topic> topics;
};

// Parses the source; on error returns false with "line N: reason" in `error`.
// Every jump must name a topic of the file.
bool ParseSource(const std::string& text, HelpSource& out, std::string& error);

}  // namespace hlpc
