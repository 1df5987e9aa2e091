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

// The entry still reaches the console; say once, on the error stream, why the file misses it
// (and from then on, every later entry that it misses).
void warnAboutLogFile(const char* what, int error) {
  if (warnedAboutLogFile) return;
  warnedAboutLogFile = true;
  std::fprintf(stderr, "Log.log cannot be %s (%s); entries go to the console only\n", what, std::strerror(error));
  std::fflush(stderr);
}

void writeEntry(const char* tag, const char* kind, const char* text) {
  std::fputs(tag, stdout);
  std::fputs(kind, stdout);
  std::fputs(text, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);

  std::FILE* file = std::fopen("Log.log", "a");
  if (file == nullptr) {
    warnAboutLogFile("opened for appending", errno);
    return;
  }
  // A full disk shows only when the buffered line is handed to the system: at the flush, or at
  // the close for what the flush left.
  const bool written = std::fprintf(file, "%s%s%s\n", tag, kind, text) >= 0 && std::fflush(file) == 0;
  const int writeError = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written) {
    warnAboutLogFile("written", writeError);
  } else if (!closed) {
    warnAboutLogFile("written", errno);
  }
}

}  // namespace

void LogMessage(const char* tag, const char* text) {
  std::lock_guard<std::mutex> lock(logMutex);
  writeEntry(tag, ".message: ", text);
}

void LogError(const char* tag, const char* text) {
  // Held until the process has ended: when two threads fail at once (a lost display reaches every
  // connection), the first error is the only one and stays the last line.
  logMutex.lock();
  writeEntry(tag, ".error: ", text);
  // The line is already flushed and the file closed. _Exit skips static destructors, which other
  // threads (the toolkit, the audio mixer) may still be using.
  std::fflush(nullptr);
  std::_Exit(1);
}
