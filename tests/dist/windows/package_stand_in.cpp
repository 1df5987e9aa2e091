// A stand-in for the game in the Windows package tests: it does what the installed game must be
// able to do from its working folder, and nothing else. It opens "../data/logo.bmp" and
// "../music/main.mp3", as the game does at start-up, and appends what it found to "Log.log" there,
// ending with "stand-in.message: done" (a shortcut started through the shell is not waited for,
// so the tests wait for that line). Each line also goes to standard output; exit code 0 when both
// files could be read and the log written, 1 otherwise.
#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool canRead(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return file && file.get() != std::char_traits<char>::eof();
}

}  // namespace

int main() {
  std::ofstream log("Log.log", std::ios::app);
  bool allRead = true;
  for (const char* path : {"../data/logo.bmp", "../music/main.mp3"}) {
    const bool readable = canRead(path);
    allRead = allRead && readable;
    const std::string line = std::string("stand-in.message: ") + (readable ? "read " : "cannot read ") + path;
    std::printf("%s\n", line.c_str());
    log << line << '\n';
  }
  std::printf("stand-in.message: done\n");
  log << "stand-in.message: done\n";
  log.flush();
  if (!log) std::printf("stand-in.message: cannot write Log.log\n");
  return allRead && log ? 0 : 1;
}
