// A fresh folder of the test's own under the system's temporary folder, removed with everything
// in it at the end: tests run as parallel processes and must never share a file name.
#pragma once

#include <string>

class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::string& path() const { return folder; }
  std::string file(const std::string& name) const { return folder + "/" + name; }

 private:
  std::string folder;
};
