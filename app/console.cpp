// The console at start-up. A terminal gets its colour and title through escape sequences; a
// pipe or a file (tests, logs) gets only the plain banner.
#include "app/console.h"

#include <clocale>
#include <cstdio>
#include <initializer_list>
#include <unistd.h>

#include "app/banner.h"

namespace {

// Sets `category` to the first of `names` that exists on this machine; when none does, the
// locale stays what it was (the standard "C" locale at start-up).
void setFirstLocale(int category, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (std::setlocale(category, name) != nullptr) return;
  }
}

bool consoleIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

}  // namespace

void PrepareConsole() {
  // Russian for everything, then English numbers alone: numbers print with a decimal point.
  setFirstLocale(LC_ALL, {"ru_RU.UTF-8", "ru_RU.utf8", "ru_RU.CP1251", "ru_RU", "C.UTF-8", "C.utf8"});
  setFirstLocale(LC_NUMERIC, {"en_US.UTF-8", "en_US.utf8", "en_US", "C"});

  if (consoleIsTerminal()) {
    // Light green on the terminal's background, and the window title (the terminal reads UTF-8).
    std::fputs("\033[92m", stdout);
    std::fputs("\033]0;Консоль\007", stdout);
  }

  std::fputs(kBanner, stdout);
  std::fflush(stdout);
}

void RestoreConsole() {
  if (!consoleIsTerminal()) return;
  std::fputs("\033[0m", stdout);
  std::fflush(stdout);
}
