// What the Direct3D 9 engine's tests share under Wine: the test windows (for the device) and PNG
// pictures read through the Windows Imaging Component (Windows has no libpng, WIC is part of the
// system).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_window_win32.h"

// Reads a PNG as 8-bit RGB, top row first. False, with `error` saying why, when it cannot.
bool ReadPngThroughWic(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb,
                       std::string& error);
