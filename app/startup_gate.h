// Keeps a shutdown from destroying engines that the game thread is still building.
// The game thread builds the engines outside the toolkit lock, so a window close or Escape can
// arrive half-way through. The game thread asks the gate between its start-up steps whether to
// go on; Shutdown asks start-up to stop and waits until the step in progress has finished.
#pragma once

#include <condition_variable>
#include <mutex>

class StartupGate {
 public:
  // Game thread, between two start-up steps. False once a shutdown has asked start-up to stop:
  // the game thread must then touch nothing more; everything it built stays for Shutdown.
  bool ContinueStartup();

  // Game thread, after the last start-up step. True when the frame loop may begin; false as for
  // ContinueStartup.
  bool FinishStartup();

  // Shutdown: asks start-up to stop at its next step. True when start-up is still in progress;
  // the caller must then call WaitUntilSettled before it destroys anything. False when the frame
  // loop already runs (or start-up has already stopped): nothing to wait for.
  bool RequestStop();

  // Shutdown: returns once the game thread has stopped start-up. The caller must not hold any
  // lock that the game thread takes during start-up (the toolkit lock).
  void WaitUntilSettled();

 private:
  enum class State { Starting, Running, Stopped };

  bool settle(bool finished);

  std::mutex mutex;
  std::condition_variable settled;
  State state = State::Starting;
  bool stopRequested = false;
};
