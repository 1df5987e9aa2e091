// The test program's own temporary folder, shared with the death-test children it starts.
#include "tests/support/test_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

// Passes the folder to the children a death test starts: they run the program from the start.
constexpr const char* kFolderVariable = "VARNELLE_TEST_FOLDER";

class ProcessFolder {
 public:
  ProcessFolder() {
    if (const char* inherited = std::getenv(kFolderVariable); inherited != nullptr && *inherited != '\0') {
      path = inherited;
      return;
    }
    path = MakeKeptFolder("varnelle-test");
    owner = getpid();
    setenv(kFolderVariable, path.c_str(), 1);
  }

  ~ProcessFolder() {
    if (owner != getpid()) return;  // a child leaves the folder to the program that made it
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }

  const std::string& folder() const { return path; }

 private:
  std::string path;
  pid_t owner = 0;
};

const ProcessFolder& processFolder() {
  static const ProcessFolder folder;
  return folder;
}

// Made before main, while the program has one thread: setting the environment is safe only then.
[[maybe_unused]] const bool madeBeforeMain = (processFolder(), true);

}  // namespace

const std::string& TestFolder() { return processFolder().folder(); }

std::string MakeKeptFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror(("Cannot make a temporary folder " + pattern).c_str());
    std::abort();
  }
  return pattern + "/";
}
