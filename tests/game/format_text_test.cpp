// formatText: printf rules into a fixed buffer owned by the caller, never a byte past its end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/cp1251.h"
#include "game/format_text.h"

namespace {

// The buffer sits between two guard areas that must come out untouched.
struct GuardedBuffer {
  char before[16];
  char buffer[10];
  char after[16];
};

// Cutting the text short is what this test is about.
#pragma GCC diagnostic ignored "-Wformat-truncation"

TEST(FormatText, LongTextIsCutToTheBufferAndNothingPastItIsWritten) {
  GuardedBuffer guarded;
  std::memset(&guarded, 0x5A, sizeof guarded);
  const char* result = formatText(guarded.buffer, "%s and %d more %s", "a long name", 123456789, "words");
  EXPECT_EQ(guarded.buffer, result);
  EXPECT_EQ(std::string("a long na"), guarded.buffer);
  EXPECT_EQ('\0', guarded.buffer[9]);
  for (const char byte : guarded.before) EXPECT_EQ(0x5A, byte);
  for (const char byte : guarded.after) EXPECT_EQ(0x5A, byte);
}

TEST(FormatText, FormatsByThePrintfRules) {
  char counts[10];
  EXPECT_STREQ("x3", formatText(counts, "x%d", 3));
  EXPECT_STREQ("-1", formatText(counts, "%d", -1));
  EXPECT_STREQ("000000012", formatText(counts, "%09d", 12));  // exactly fills the buffer
  char label[20];
  EXPECT_STREQ("\xD3\xF0\xEE\xE2\xE5\xED\xFC 13", formatText(label, "%s %d", "Уровень"_cp1251, 13));
  EXPECT_STREQ("100%", formatText(label, "%d%%", 100));
  EXPECT_STREQ("", formatText(label, ""));
}

}  // namespace
