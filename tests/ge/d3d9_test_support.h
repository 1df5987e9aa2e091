// What the Direct3D 9 engine's tests share under Wine: a shown Win32 window of the back buffer's
// size for the device, the engine on it with its log in the test's own folder, and PNG pictures
// read through the Windows Imaging Component (Windows has no libpng, WIC is part of the system).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HWND__;

// A shown top-level window whose client area is width × height.
HWND__* CreateTestWindow(int width, int height);
void DestroyTestWindow(HWND__* window);
// Handles the window messages waiting on this thread.
void PumpMessages();

// Reads a PNG as 8-bit RGB, top row first. False, with `error` saying why, when it cannot.
bool ReadPngThroughWic(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb,
                       std::string& error);

// A whole file's bytes, empty when it cannot be read.
std::string FileContents(const std::string& path);
