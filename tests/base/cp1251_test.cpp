// Windows-1251 literals: the bytes the compiler makes from UTF-8 source text, and the reverse table
// the text renderer reads.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "base/cp1251.h"

namespace {

// Every character of the upper half of the code page, in byte order from 0x80 (0x98 is unassigned).
#define UPPER_HALF \
    "\u0402\u0403\u201A\u0453\u201E\u2026\u2020\u2021" \
    "\u20AC\u2030\u0409\u2039\u040A\u040C\u040B\u040F" \
    "\u0452\u2018\u2019\u201C\u201D\u2022\u2013\u2014" \
    "\u2122\u0459\u203A\u045A\u045C\u045B\u045F\u00A0" \
    "\u040E\u045E\u0408\u00A4\u0490\u00A6\u00A7\u0401" \
    "\u00A9\u0404\u00AB\u00AC\u00AD\u00AE\u0407\u00B0" \
    "\u00B1\u0406\u0456\u0491\u00B5\u00B6\u00B7\u0451" \
    "\u2116\u0454\u00BB\u0458\u0405\u0455\u0457\u0410" \
    "\u0411\u0412\u0413\u0414\u0415\u0416\u0417\u0418" \
    "\u0419\u041A\u041B\u041C\u041D\u041E\u041F\u0420" \
    "\u0421\u0422\u0423\u0424\u0425\u0426\u0427\u0428" \
    "\u0429\u042A\u042B\u042C\u042D\u042E\u042F\u0430" \
    "\u0431\u0432\u0433\u0434\u0435\u0436\u0437\u0438" \
    "\u0439\u043A\u043B\u043C\u043D\u043E\u043F\u0440" \
    "\u0441\u0442\u0443\u0444\u0445\u0446\u0447\u0448" \
    "\u0449\u044A\u044B\u044C\u044D\u044E\u044F"
TEST(Cp1251, LiteralsBecomeSingleCodePageBytes) {
  EXPECT_EQ(std::string("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет"_cp1251);
  EXPECT_EQ(std::string("\xC0\xDF\xE0\xFF"), "АЯая"_cp1251);
  EXPECT_EQ(std::string("\xA8\xB8\xB9"), "Ёё№"_cp1251);
  EXPECT_EQ(std::string("Trigger:\n;) 5%"), "Trigger:\n;) 5%"_cp1251);
  EXPECT_EQ(16u, std::strlen("Уровень пройден!"_cp1251));
  EXPECT_EQ(0u, std::strlen(""_cp1251));
  // The same literal is one static string.
  EXPECT_EQ("Стоп"_cp1251, "Стоп"_cp1251);
}

TEST(Cp1251, UpperHalfRoundTripsThroughTheReverseTable) {
  const char* bytes = UPPER_HALF ""_cp1251;
  const char32_t* codePoints = U"" UPPER_HALF;
  ASSERT_EQ(127u, std::strlen(bytes));
  std::set<char32_t> seen;
  for (std::size_t i = 0; i < 127; ++i) {
    const auto expectedByte = static_cast<unsigned char>(0x80 + i + (i >= 0x18 ? 1 : 0));
    EXPECT_EQ(expectedByte, static_cast<unsigned char>(bytes[i])) << i;
    EXPECT_EQ(codePoints[i], cp1251::ToUnicode(expectedByte)) << std::hex << int{expectedByte};
    seen.insert(cp1251::ToUnicode(expectedByte));
  }
  EXPECT_EQ(127u, seen.size());
  EXPECT_EQ(U'\0', cp1251::ToUnicode(0x98));
  for (unsigned byte = 0; byte < 0x80; ++byte) EXPECT_EQ(char32_t{byte}, cp1251::ToUnicode(static_cast<unsigned char>(byte)));
}

}  // namespace
