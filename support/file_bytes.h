// Writing a whole file of bytes: the WAV writer's output, and the damaged files tests make on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Returns false and says why in `error` ("cannot create PATH" or "cannot write PATH").
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);
