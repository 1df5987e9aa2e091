// Music file names are kept as wide strings; these convert them from and back to the bytes the
// file system takes, in the program's current locale (the C library's multibyte conversion).
#pragma once

#include <string>

namespace se {

// The wide form of a file name; false when the bytes are not valid in the current locale.
bool WidenFileName(const char* name, std::wstring& wide);

// The byte form to open a file by; false when a character has no form in the current locale.
bool NarrowFileName(const std::wstring& wide, std::string& name);

}  // namespace se
