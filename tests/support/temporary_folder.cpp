#include "tests/support/temporary_folder.h"

#include <cstdlib>
#include <filesystem>

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "varnelle-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) folder = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
}
