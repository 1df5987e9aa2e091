// Little-endian integers in byte buffers, as BMP and WAV files store them. The caller has checked
// that the bytes are there; these only put the bytes in order.
#pragma once

#include <cstdint>
#include <vector>

inline std::uint16_t ReadUint16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

inline std::uint32_t ReadUint32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

inline void WriteUint16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void WriteUint32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void AppendUint16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendUint32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  AppendUint16(bytes, static_cast<std::uint16_t>(value));
  AppendUint16(bytes, static_cast<std::uint16_t>(value >> 16));
}
