// The event log: every entry on the console and appended to "Log.log" in the working directory; an
// error entry is the last thing a run writes and ends it with exit code 1.
// Each case runs in a child process inside its own temporary directory, with the console captured.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "base/event_log.h"
#include "tests/support/file_contents.h"

namespace {

namespace fs = std::filesystem;

struct ChildRun {
  int exitCode = -1;
  std::string console;  // standard output
  std::string errors;   // standard error
};

class EventLog : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/varnelle-log-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    directory = pattern;
  }

  void TearDown() override { fs::remove_all(directory); }

  // Runs `body` in a child process whose working directory is the test's directory.
  ChildRun runInChild(const std::function<void()>& body) {
    const fs::path consolePath = directory / "console.txt";
    const fs::path errorsPath = directory / "errors.txt";
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      const int console = open(consolePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int errors = open(errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (console < 0 || errors < 0 || dup2(console, 1) < 0 || dup2(errors, 2) < 0 || chdir(directory.c_str()) != 0) {
        _exit(99);
      }
      body();
      std::fflush(nullptr);
      _exit(0);
    }
    ChildRun run;
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.console = ReadFileText(consolePath);
    run.errors = ReadFileText(errorsPath);
    return run;
  }

  fs::path directory;
};

TEST_F(EventLog, EntriesGoToTheConsoleAndAreAppendedToTheFileAsTheirBytes) {
  const ChildRun first = runInChild([] { LogMessage("IE", "IE was loaded"); });  // the file is created
  EXPECT_EQ(0, first.exitCode);
  EXPECT_EQ("IE.message: IE was loaded\n", first.console);
  EXPECT_EQ("", first.errors);

  const ChildRun second = runInChild([] {
    LogMessage("GE", "second run");
    LogMessage("SE", "\xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0 100%");
  });
  EXPECT_EQ("GE.message: second run\nSE.message: \xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0 100%\n", second.console);
  EXPECT_EQ(first.console + second.console, ReadFileText(directory / "Log.log"));
}

TEST_F(EventLog, ErrorIsTheLastLineAndEndsTheRunWithCodeOne) {
  const ChildRun run = runInChild([] {
    std::fputs("banner\n", stdout);  // buffered: stdout is a file here, and must not be lost
    LogMessage("IE", "IE init...");
    LogError("IE", "Cannot acquire mouse");
    // Not reached.
    LogMessage("IE", "after the error");
  });
  EXPECT_EQ(1, run.exitCode);
  EXPECT_EQ("banner\nIE.message: IE init...\nIE.error: Cannot acquire mouse\n", run.console);
  EXPECT_EQ("IE.message: IE init...\nIE.error: Cannot acquire mouse\n", ReadFileText(directory / "Log.log"));
}

// A log file that cannot be opened (a directory in its place, even for root) or that takes no
// write (/dev/full, as a full disk): the console still gets every entry, and the error stream
// says once why the file misses them.
TEST_F(EventLog, UnusableFileStillWritesTheConsoleAndSaysWhyOnce) {
  const struct {
    std::function<void(const fs::path&)> makeLog;
    std::string errors;
  } cases[] = {
      {[](const fs::path& log) { fs::create_directory(log); },
       "Log.log cannot be opened for appending (Is a directory); entries go to the console only\n"},
      {[](const fs::path& log) { fs::create_symlink("/dev/full", log); },
       "Log.log cannot be written (No space left on device); entries go to the console only\n"},
  };
  for (const auto& c : cases) {
    fs::remove_all(directory / "Log.log");
    c.makeLog(directory / "Log.log");
    const ChildRun run = runInChild([] {
      LogMessage("GE", "first");
      LogMessage("GE", "second");
      LogError("GE", "the end");
    });
    EXPECT_EQ(1, run.exitCode);
    EXPECT_EQ("GE.message: first\nGE.message: second\nGE.error: the end\n", run.console);
    EXPECT_EQ(c.errors, run.errors);
  }
}

}  // namespace
