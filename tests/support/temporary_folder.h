// Temporary folders of the tests' own. Tests run as parallel processes (CTest starts one per
// test, several at once) and must never share a file name in the system's temporary folder.
#pragma once

#include <string>

// A fresh folder under TMPDIR, removed with everything in it when the object goes.
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

// The test program's own folder, ending in '/', for files that outlive one test (a suite's set-up)
// or that a death test's child reads. Made under TMPDIR when the program starts and removed when
// it ends; a death test's child, which runs the program again, works in the same folder.
const std::string& TestFolder();

// A new empty folder under TMPDIR that stays after the program ends, for files a failing test
// leaves for a look. Its path ends in '/'.
std::string MakeKeptFolder(const std::string& prefix);
