// Windows-1251 texts written as UTF-8 in the source and turned into code-page bytes at compile time.
// "Уровень пройден!"_cp1251 is a NUL-terminated Windows-1251 string with static storage; a
// character the code page cannot hold does not compile. The text renderer reads the same table
// the other way, from a byte to the character it draws.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace cp1251 {

// Unicode code points of bytes 0x80 to 0xFF; 0 marks the one unassigned byte, 0x98.
inline constexpr std::array<char32_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

// The character a Windows-1251 byte stands for; 0 for the unassigned byte 0x98.
constexpr char32_t ToUnicode(unsigned char byte) {
  return byte < 0x80 ? char32_t{byte} : kUpperHalf[byte - 0x80];
}

// Stops compilation: only reachable from a consteval conversion of a bad literal.
inline void CharacterOutsideWindows1251() {}
inline void MalformedUtf8() {}

consteval unsigned char FromUnicode(char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
  for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] == codePoint && codePoint != 0) return static_cast<unsigned char>(0x80 + i);
  }
  CharacterOutsideWindows1251();
  return 0;
}

// A UTF-8 string literal carried as a template argument.
template <std::size_t N>
struct Utf8Literal {
  char bytes[N]{};
  consteval Utf8Literal(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
};

// Converts UTF-8 to Windows-1251; the result is never longer than its source, NUL-padded.
template <std::size_t N>
consteval std::array<char, N> Convert(const char (&utf8)[N]) {
  std::array<char, N> out{};
  std::size_t written = 0;
  std::size_t i = 0;
  while (i + 1 < N && utf8[i] != '\0') {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    char32_t codePoint = 0;
    std::size_t length = 1;
    if (lead < 0x80) {
      codePoint = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      codePoint = lead & 0x1F;
      length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      codePoint = lead & 0x0F;
      length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
      codePoint = lead & 0x07;
      length = 4;
    } else {
      MalformedUtf8();
    }
    for (std::size_t k = 1; k < length; ++k) {
      if (i + k + 1 >= N) MalformedUtf8();
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) MalformedUtf8();
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    out[written++] = static_cast<char>(FromUnicode(codePoint));
    i += length;
  }
  return out;
}

template <Utf8Literal Text>
struct Storage {
  static constexpr std::array<char, sizeof(Text.bytes)> value = Convert(Text.bytes);
};

}  // namespace cp1251

// "Текст"_cp1251: the Windows-1251 bytes of a UTF-8 literal, as a NUL-terminated static string.
template <cp1251::Utf8Literal Text>
constexpr const char* operator""_cp1251() {
  return cp1251::Storage<Text>::value.data();
}
