// Temporary folders of the tests' own; the program's folder is shared with its death-test children.
#include "tests/support/temporary_folder.h"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

#ifdef _WIN32
// Windows has no mkdtemp: names from the process id and a counter, until one is new. The path is
// written with '/' as the tests join names that way, which Windows accepts.
std::string makeFolder(const std::string& prefix) {
  static unsigned counter = 0;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string name = prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount() % 100000) + "-" + std::to_string(counter++);
    std::string path = (base / name).generic_string();
    if (CreateDirectoryA(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  std::fprintf(stderr, "Cannot make a temporary folder under %s\n", base.string().c_str());
  std::abort();
}

int processId() { return _getpid(); }
void setVariable(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
#else
// A new folder under TMPDIR, without the trailing '/'; ends the program when none can be made.
std::string makeFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror(("Cannot make a temporary folder " + pattern).c_str());
    std::abort();
  }
  return pattern;
}

int processId() { return getpid(); }
void setVariable(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
#endif

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
    owner = processId();
    setVariable(kFolderVariable, path);
  }

  ~ProgramFolder() {
    if (owner == processId()) removeFolder(path);  // a child leaves it to the program that made it
  }

  const std::string& folder() const { return path; }

 private:
  std::string path;
  int owner = 0;
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
