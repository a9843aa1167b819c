// hlpc: the help files it writes read back the way a viewer walks them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "helpfile.h"
#include "hlp_reader.h"
#include "source.h"
#include "topic.h"

namespace {

using hlpc::Bytes;

hlpc::HelpSource Parsed(const std::string& text) {
  hlpc::HelpSource source;
  std::string error;
  EXPECT_TRUE(hlpc::ParseSource(text, source, error)) << error;
  return source;
}

hlptest::ReadHelp Compiled(const hlpc::HelpSource& source) {
  hlptest::ReadHelp help;
  std::string error = hlptest::Read(hlpc::BuildHelpFile(source), help);
  EXPECT_EQ(error, "");
  return help;
}

// The topic offset |CONTEXT gives for a context id, found by a root-down search.
std::uint32_t LookUp(const hlptest::ReadHelp& help, const std::string& context) {
  std::int32_t want = static_cast<std::int32_t>(hlpc::ContextHash(context));
  const std::uint8_t* e = hlptest::Search(
      help.files.at("|CONTEXT"), [&](const std::uint8_t* p, bool leaf, std::size_t& size) {
        size = leaf ? 8 : 6;
        std::int32_t have;
        std::memcpy(&have, p, 4);
        return have < want ? -1 : have > want ? 1 : 0;
      });
  if (!e) return 0xFFFFFFFF;
  std::uint32_t offset;
  std::memcpy(&offset, e + 4, 4);
  return offset;
}

const hlptest::ReadTopic* TopicAt(const hlptest::ReadHelp& help, std::uint32_t offset) {
  for (const auto& t : help.topics)
    if (t.offset == offset) return &t;
  return nullptr;
}

TEST(Hlpc, ProductHelpOpensOnItsContentsAndEveryJumpLands) {
  std::ifstream in(PRODUCT_HELP_SOURCE, std::ios::binary);
  ASSERT_TRUE(in);
  hlpc::HelpSource source = Parsed(std::string(std::istreambuf_iterator<char>(in), {}));
  hlptest::ReadHelp help = Compiled(source);

  EXPECT_EQ(help.minor, 21u);  // Windows 3.1 help
  EXPECT_EQ(help.title, "Testanza Help");
  ASSERT_EQ(help.topics.size(), source.topics.size());
  const hlptest::ReadTopic* contents = TopicAt(help, help.contents);
  ASSERT_NE(contents, nullptr);
  EXPECT_EQ(contents->title, "Testanza 1.20 Help Contents");
  EXPECT_NE(contents->paragraphs.at(1).find("test management software"), std::string::npos);

  for (const auto& topic : help.topics)
    for (std::uint32_t hash : topic.jumps) {
      bool found = false;
      for (const auto& t : source.topics)
        if (hlpc::ContextHash(t.context) == hash) found = TopicAt(help, LookUp(help, t.context)) != nullptr;
      EXPECT_TRUE(found) << "a jump in '" << topic.title << "' leads nowhere";
    }
}

// Enough topics for several topic blocks, links that run across block
// boundaries, and |CONTEXT and |TTLBTREE trees with index pages.
TEST(Hlpc, LargeFileSpansBlocksAndTreePages) {
  std::string text = ".title Big\n";
  const int kTopics = 700;
  for (int i = 0; i < kTopics; ++i) {
    text += ".topic t" + std::to_string(i) + " Topic number " + std::to_string(i) + "\n";
    text += "Paragraph of topic " + std::to_string(i) + " " + std::string(40 + i % 90, 'x') + "\n\n";
    text += "- see [the next](t" + std::to_string((i + 1) % kTopics) + ")\n";
  }
  hlptest::ReadHelp help = Compiled(Parsed(text));

  ASSERT_EQ(help.topics.size(), static_cast<size_t>(kTopics));
  EXPECT_GT(help.files.at("|TOPIC").size(), 20u * 4096);
  EXPECT_GT(hlpc::Get16(help.files.at("|CONTEXT"), 32), 1u) << "expected index levels";
  for (int i = 0; i < kTopics; ++i) {
    const auto& t = help.topics[i];
    ASSERT_EQ(t.title, "Topic number " + std::to_string(i));
    ASSERT_EQ(t.paragraphs.at(1).substr(0, 19 + std::to_string(i).size()),
              "Paragraph of topic " + std::to_string(i));
    ASSERT_EQ(LookUp(help, "t" + std::to_string(i)), t.offset) << "context of topic " << i;
  }

  auto titleSize = [](const std::uint8_t* e) { return 4 + std::strlen(reinterpret_cast<const char*>(e + 4)) + 1; };
  auto titles = hlptest::LeafEntries(help.files.at("|TTLBTREE"), titleSize);
  ASSERT_EQ(titles.size(), static_cast<size_t>(kTopics));
  EXPECT_STREQ(reinterpret_cast<const char*>(titles.back() + 4), "Topic number 699");
}

TEST(Hlpc, SourceErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {".title T\ntext before any topic\n", "line 2: text before the first .topic"},
      {".title T\n.topic a A\nsee [b](nowhere)\n", "line 3: jump to unknown topic nowhere"},
      {".title T\n.topic bad-id A\n", "line 2: bad context id 'bad-id'"},
      {".title T\n.topic a A\n.topic a B\n", "line 3: context id used twice: a"},
      {".topic a A\n", "line 1: no .title"},
      {".title T\n.topic a A\nsee [b](a\n", "line 3: unfinished jump: [text](context-id)"},
      {".title T\n.topic a\n", "line 2: a topic needs a title"},
  };
  for (const Case& c : cases) {
    hlpc::HelpSource source;
    std::string error;
    EXPECT_FALSE(hlpc::ParseSource(c.text, source, error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

}  // namespace
