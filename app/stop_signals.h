// SIGTERM, SIGINT and SIGHUP (a log-out, Ctrl+C, a closed terminal) end the game the way closing
// its window does. The signal handler only notes the request on a pipe; the toolkit's event loop
// watches the pipe and runs the ending on the main thread, with the toolkit lock held as a window
// callback has it. A second signal while the first is still being handled ends the process at
// once, as the signal does by default.
#pragma once

// Installs the handlers. Call early in main, before any other thread exists.
void CatchStopSignals();

// From now on the toolkit's event loop (also the nested one of a dialog) calls `end` on the main
// thread once a stop signal has come. `end` does not return.
void WatchStopSignals(void (*end)());

// Keeps the stop signals away from the calling thread and from every thread it starts, for the
// object's lifetime: the game thread and the libraries' threads are started under one, so that
// only the main thread ever runs the handler and their system calls are never interrupted.
class StopSignalsBlocked {
 public:
  StopSignalsBlocked();
  ~StopSignalsBlocked();
  StopSignalsBlocked(const StopSignalsBlocked&) = delete;
  StopSignalsBlocked& operator=(const StopSignalsBlocked&) = delete;
};
