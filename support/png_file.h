// PNG files of RGB pictures (top row first, three bytes per pixel): screenshots for tests, golden
// images, the replay runner and the contact sheet; and RGBA pictures for the desktop icons. Loose
// from the engine on purpose; it is only about files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an 8-bit RGB PNG. Returns false and says why in `error` when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
              std::string& error);

// The same with four bytes per pixel, R, G, B and alpha.
bool WritePngRgba(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba,
                  std::string& error);

// Reads any PNG libpng understands, converted to 8-bit RGB (alpha dropped, palettes and grey
// expanded). Returns false and says why in `error` for a missing, damaged or oversized file.
bool ReadPng(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb,
             std::string& error);
