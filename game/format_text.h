// printf-style formatting into a fixed buffer owned by the caller; never writes past it.
#pragma once

#include <cstddef>
#include <cstdio>

// Formats into buffer[0..size), always NUL-terminated; a text too long is cut at size − 1 bytes.
template <std::size_t Size, typename... Arguments>
const char* formatText(char (&buffer)[Size], const char* format, Arguments... arguments) {
  static_assert(Size > 0);
  const int written = std::snprintf(buffer, Size, format, arguments...);
  if (written < 0) buffer[0] = '\0';
  return buffer;
}
