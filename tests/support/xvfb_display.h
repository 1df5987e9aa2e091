// A private X server for a test: Xvfb on a display number it picks itself, ended with the object.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class XvfbDisplay {
 public:
  XvfbDisplay() = default;
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  // Starts the server with one screen of the given size and points DISPLAY at it. An empty
  // string on success, otherwise what went wrong. `options` go to Xvfb as they are (such as
  // {"-extension", "MIT-SHM"} for a server without shared-memory images).
  std::string Start(int width, int height, const std::vector<std::string>& options = {});
  const std::string& name() const { return displayName; }

 private:
  pid_t serverPid = -1;
  std::string displayName;
};

// Runs a program found on PATH with the current environment and waits for it; its exit status,
// or −1 when it cannot be started.
int RunProgram(const std::vector<std::string>& arguments);
