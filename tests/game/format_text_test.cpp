// formatText: a fixed buffer owned by the caller, cut and terminated, never a byte past its end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

}  // namespace
