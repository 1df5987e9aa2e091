// Wide ↔ multibyte file names through mbsrtowcs / wcsrtombs in the current locale.
#include "se/music_file_name.h"

#include <cwchar>

namespace se {

bool WidenFileName(const char* name, std::wstring& wide) {
  std::mbstate_t state{};
  const char* source = name;
  // A first pass with no destination measures the result without writing.
  const std::size_t length = std::mbsrtowcs(nullptr, &source, 0, &state);
  if (length == static_cast<std::size_t>(-1)) {
    return false;
  }
  wide.assign(length, L'\0');
  state = std::mbstate_t{};
  source = name;
  std::mbsrtowcs(wide.data(), &source, length, &state);
  return true;
}

bool NarrowFileName(const std::wstring& wide, std::string& name) {
  std::mbstate_t state{};
  const wchar_t* source = wide.c_str();
  const std::size_t length = std::wcsrtombs(nullptr, &source, 0, &state);
  if (length == static_cast<std::size_t>(-1)) {
    return false;
  }
  name.assign(length, '\0');
  state = std::mbstate_t{};
  source = wide.c_str();
  std::wcsrtombs(name.data(), &source, length, &state);
  return true;
}

}  // namespace se
