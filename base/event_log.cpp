// The event log: console and "Log.log", opened for appending at every entry.
#include "base/event_log.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// Entries may come from the game thread and, at shutdown, from the main thread.
std::mutex logMutex;
bool warnedAboutLogFile = false;

void writeEntry(const char* tag, const char* kind, const char* text) {
  std::fputs(tag, stdout);
  std::fputs(kind, stdout);
  std::fputs(text, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);

  std::FILE* file = std::fopen("Log.log", "a");
  if (file == nullptr) {
    // The entry still reaches the console; say once, on the error stream, why the file misses it.
    if (!warnedAboutLogFile) {
      warnedAboutLogFile = true;
      std::fprintf(stderr, "Log.log cannot be opened for appending (%s); entries go to the console only\n",
                   std::strerror(errno));
      std::fflush(stderr);
    }
    return;
  }
  std::fprintf(file, "%s%s%s\n", tag, kind, text);
  std::fclose(file);
}

}  // namespace

void LogMessage(const char* tag, const char* text) {
  std::lock_guard<std::mutex> lock(logMutex);
  writeEntry(tag, ".message: ", text);
}

void LogError(const char* tag, const char* text) {
  {
    std::lock_guard<std::mutex> lock(logMutex);
    writeEntry(tag, ".error: ", text);
  }
  // The line is already flushed and the file closed. _Exit skips static destructors, which other
  // threads (the toolkit, the audio mixer) may still be using.
  std::fflush(nullptr);
  std::_Exit(1);
}
