// The console at start-up on Windows: the Russian locale with English numbers, light green on
// black, the title "Консоль" and the banner, all through the C runtime and the command
// interpreter, as a Windows console program does.
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/banner.h"
#include "app/console.h"

void PrepareConsole() {
  // All categories Russian, then the numbers alone English: they print with a decimal point.
  std::setlocale(LC_ALL, "rus");
  std::setlocale(LC_NUMERIC, "eng");

  std::system("color 0A");
  // The wide call: the title reaches the console as "Консоль" whatever the system's ANSI code
  // page, where the narrow one would pass Windows-1251 bytes through the current ANSI page.
  _wsystem(L"title \u041A\u043E\u043D\u0441\u043E\u043B\u044C");

  std::fputs(kBanner, stdout);
  std::fflush(stdout);
}

// The console keeps its colours: it is the program's own, and goes when the program ends.
void RestoreConsole() {}
