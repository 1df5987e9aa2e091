// Whole files read back by the tests: their bytes, or their text line by line.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The file's bytes; none when it cannot be read.
inline std::vector<char> ReadFileChars(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::string ReadFileText(const std::string& path) {
  const std::vector<char> bytes = ReadFileChars(path);
  return {bytes.begin(), bytes.end()};
}

// The file's lines without their line ends; none when it cannot be read.
inline std::vector<std::string> ReadFileLines(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}
