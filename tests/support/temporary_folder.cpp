// Temporary folders of the tests' own; the program's folder is shared with its death-test children.
#include "tests/support/temporary_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

// A new folder under TMPDIR, without the trailing '/'; ends the program when none can be made.
std::string makeFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror(("Cannot make a temporary folder " + pattern).c_str());
    std::abort();
  }
  return pattern;
}

void removeFolder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

// Passes the program's folder to the children a death test starts: they run the program again.
constexpr const char* kFolderVariable = "VARNELLE_TEST_FOLDER";

class ProgramFolder {
 public:
  ProgramFolder() {
    if (const char* inherited = std::getenv(kFolderVariable); inherited != nullptr && *inherited != '\0') {
      path = inherited;
      return;
    }
    path = makeFolder("varnelle-test") + "/";
    owner = getpid();
    setenv(kFolderVariable, path.c_str(), 1);
  }

  ~ProgramFolder() {
    if (owner == getpid()) removeFolder(path);  // a child leaves it to the program that made it
  }

  const std::string& folder() const { return path; }

 private:
  std::string path;
  pid_t owner = 0;
};

const ProgramFolder& programFolder() {
  static const ProgramFolder folder;
  return folder;
}

// Made before main, while the program has one thread: setting the environment is safe only then.
[[maybe_unused]] const bool madeBeforeMain = (programFolder(), true);

}  // namespace

TemporaryFolder::TemporaryFolder() : folder(makeFolder("varnelle-test")) {}

TemporaryFolder::~TemporaryFolder() { removeFolder(folder); }

const std::string& TestFolder() { return programFolder().folder(); }

std::string MakeKeptFolder(const std::string& prefix) { return makeFolder(prefix) + "/"; }
