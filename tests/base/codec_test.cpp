#include "base/codec.h"

#include <gtest/gtest.h>

namespace vellumet {
namespace {

TEST(Codec, Utf8RoundTripsValidAndInvalidBytes) {
  const std::string samples[] = {
      "plain",     "日本語のタイトル",          "\xff\xfe bad \x80",
      "a\xe6\x97", std::string("nul\0byte", 8), "\xed\xa0\x80 surrogate"};
  Codec codec("UTF-8");
  for (const auto& s : samples) EXPECT_EQ(codec.encode(codec.decode(s)), s);
  EXPECT_EQ(codec.decode("\xff"), std::u32string(1, kEscapeBase + 0xff));
  EXPECT_EQ(codec.decode("日本"), U"日本");
}

TEST(Codec, ShiftJisDecodesDoubleByteCharactersWhole) {
  Codec codec("CP932");
  // 0x83 0x47 is a katakana whose second byte is the letter G.
  std::u32string text = codec.decode("\x83\x47IF");
  EXPECT_EQ(text.size(), 3u);
  EXPECT_EQ(text.find(U"GIF"), std::u32string::npos);
  EXPECT_EQ(codec.decode("\x93\xfa\x96\x7b"), U"日本");
  EXPECT_EQ(codec.encode(U"日本GIF"), "\x93\xfa\x96\x7bGIF");
}

TEST(Codec, ShiftJisPassesInvalidBytesThrough) {
  Codec codec("CP932");
  const std::string samples[] = {"\x83", "\x80\xa0\xfd", "ab\x81", "\x93\xfa\xff\x96\x7b"};
  for (const auto& s : samples) EXPECT_EQ(codec.encode(codec.decode(s)), s);
}

TEST(Codec, UnrepresentableCharactersBecomeQuestionMarks) {
  Codec codec("CP932");
  EXPECT_EQ(codec.encode(U"a😀b"), "a?b");
}

TEST(Codec, PlainAsciiLocaleIsTakenAsUtf8) {
  EXPECT_EQ(Codec("ANSI_X3.4-1968").encode(U"日本"), "日本");
}

}  // namespace
}  // namespace vellumet
