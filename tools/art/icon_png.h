// Writes an icon as an RGBA PNG file.
#pragma once

#include <string>

#include "tools/art/icons.h"

namespace art {

// Returns false and says why in `error` when the file cannot be written.
bool WriteIconPng(const std::string& path, const IconPicture& icon, std::string& error);

}  // namespace art
