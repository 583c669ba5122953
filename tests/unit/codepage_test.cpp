#include "engine/codepage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodepageTest, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
}

TEST(CodepageTest, Conversions) {
  struct {
    const char* utf8;
    const char* single;
  } cases[] = {
      {"groß", "gro\xDF"},
      {"Übergröße", "\xDC" "bergr\xF6\xDF" "e"},
      {"€5", "\x80" "5"},
      {"\xE2\x80\x9Cq\xE2\x80\x9D", "\x93q\x94"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8ToWindows1252(c.utf8), c.single) << c.utf8;
    EXPECT_EQ(windows1252ToUtf8(c.single), c.utf8) << c.utf8;
  }
}

TEST(CodepageTest, UnmappableAndInvalidInput) {
  EXPECT_EQ(utf8ToWindows1252("\xE4\xB8\xAD"), "?");           // a CJK character
  EXPECT_EQ(utf8ToWindows1252("\xF0\x9F\x98\x80!"), "?!");      // outside the BMP
  EXPECT_EQ(utf8ToWindows1252("a\xE4" "b"), "a\xE4" "b");      // a stray 1252 byte
  EXPECT_EQ(utf8ToWindows1252("\xC3"), "\xC3");                // cut sequence
  EXPECT_EQ(utf8ToWindows1252("\xC0\xAF"), "\xC0\xAF");        // overlong form
}

}  // namespace
