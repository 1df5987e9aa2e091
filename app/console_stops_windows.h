// Ctrl+C, Ctrl+Break and a closed console end the game the way closing its window does. Windows
// runs the console's handler on a thread of its own: it asks the window's thread to end the game
// (a close posted to the window), so that Shutdown runs there with the shell lock held, and then
// waits for the process to end. Before the window exists nothing is built yet and the handler
// ends the program itself. A second stop while the first is still being handled ends the process
// at once, as the system does by default.
#pragma once

// Installs the handler. Call early in main.
void CatchConsoleStops();

// Holds a console stop back for the object's lifetime: main shows the window and starts the game
// thread under one, so that a stop finds either nothing built or a window to close.
class ConsoleStopsDeferred {
 public:
  ConsoleStopsDeferred();
  ~ConsoleStopsDeferred();
  ConsoleStopsDeferred(const ConsoleStopsDeferred&) = delete;
  ConsoleStopsDeferred& operator=(const ConsoleStopsDeferred&) = delete;
};
