#include "generator/template_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <sstream>

#include "base/messages.h"
#include "reference_writer.h"
#include "temp_dir.h"
#include "template_cases.h"

namespace vellumet {
namespace {

using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;

std::string shown(const std::string& bytes) {
  std::ostringstream out;
  for (unsigned char b : bytes) {
    if (b >= 0x20 && b < 0x7f && b != '\\') {
      out << b;
    } else {
      out << "\\x" << std::hex << static_cast<int>(b) << std::dec;
    }
  }
  return out.str();
}

std::string described(const testing::TemplateCase& c) {
  const char* kinds[] = {"replace", "whole line", "optional", "list before"};
  std::ostringstream out;
  out << c.codeset << ", chunk " << c.chunk << "\n";
  for (const Marker& m : c.table) {
    out << "  \"" << m.text << "\" " << kinds[static_cast<int>(m.rule.kind)]
        << (m.rule.on ? "" : " (off)") << ": \"" << shown(utf8_encode(m.rule.value)) << "\"\n";
  }
  out << "  template \"" << shown(c.bytes) << "\"";
  return out.str();
}

// The streaming copy gives the reference's bytes on random templates, marker
// tables and chunk sizes.
TEST(TemplateCopy, MatchesTheReferenceWriter) {
  TempDir dir{TempDir::InMemory{}};
  std::mt19937 random(20261209);
  // Cases found by the fuzzer or at a limit, then random ones.
  const std::vector<testing::TemplateCase> found = {
      // A marker running from a piece shorter than itself into the next one.
      {"UTF-8", {{">>>", replaced_by(U"")}, {"A>>", replaced_by(U"")}}, "A>>>>>>>\r\n", 64},
      // The longest line copied, its marker at its end.
      {"UTF-8",
       {{"GIF", replaced_by(U"gif")}},
       std::string(kMaxTemplateLine - 3, 'a') + "GIF\r\nb",
       4096},
  };
  for (std::size_t n = 0; n < found.size() + 3000; ++n) {
    const testing::TemplateCase c =
        n < found.size() ? found[n] : testing::draw_case([&] { return random() & 0xff; });
    write_bytes(dir.file("template.htm"), c.bytes);
    const Codec codec(c.codeset);
    const FileResult r =
        copy_template(dir.file("template.htm"), dir.file("page.htm"), c.table, codec, c.chunk);
    ASSERT_TRUE(r.ok) << r.reason;
    const std::string want = testing::reference_copy(c.bytes, c.table, codec);
    const std::string got = read_bytes(dir.file("page.htm"));
    ASSERT_EQ(shown(got), shown(want)) << "case " << n << ": " << described(c);
  }
}

// A template that is not a regular file is refused without waiting; one
// with a line too long to hold fails where the line is seen. Either way the
// page stays as it was.
TEST(TemplateCopy, RefusesWhatItCannotReadAndKeepsThePage) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.file("fifo.htm").c_str(), 0600), 0);
  write_bytes(dir.file("long.htm"), "a\r\n" + std::string(kMaxTemplateLine + 1, 'x') + "\r\n");
  write_bytes(dir.file("page.htm"), "old");
  const std::string too_long =
      msg::fill(msg::kLineTooLong, {std::to_string(kMaxTemplateLine >> 20)});
  const Codec codec("UTF-8");
  const struct {
    std::string from, reason;  // reason "": the system's
  } cases[] = {{dir.file("fifo.htm"), ""},
               {dir.path(), ""},
               {dir.file("none.htm"), ""},
               {dir.file("long.htm"), too_long}};
  for (const auto& c : cases) {
    const FileResult r = copy_template(c.from, dir.file("page.htm"), {}, codec);
    EXPECT_FALSE(r.ok) << c.from;
    EXPECT_EQ(r.step, FileStep::Read) << c.from;
    EXPECT_EQ(r.file, c.from);
    if (c.reason.empty()) {
      EXPECT_FALSE(r.reason.empty()) << c.from;
    } else {
      EXPECT_EQ(r.reason, c.reason);
    }
  }
  EXPECT_EQ(testing::entries(dir.path()),
            (std::vector<std::string>{"fifo.htm", "long.htm", "page.htm"}));
  EXPECT_EQ(read_bytes(dir.file("page.htm")), "old");
}

}  // namespace
}  // namespace vellumet
