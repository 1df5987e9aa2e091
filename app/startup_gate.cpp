// The hand-over between the game thread's start-up and Shutdown.
#include "app/startup_gate.h"

bool StartupGate::ContinueStartup() { return settle(false); }

bool StartupGate::FinishStartup() { return settle(true); }

bool StartupGate::settle(bool finished) {
  std::lock_guard<std::mutex> lock(mutex);
  if (state != State::Starting) return state == State::Running;
  if (stopRequested) {
    state = State::Stopped;
    // Notified while the mutex is held: the waiting thread may end the process as soon as it
    // wakes, and must not find this thread still inside the condition variable.
    settled.notify_all();
    return false;
  }
  if (finished) {
    state = State::Running;
    settled.notify_all();
  }
  return true;
}

bool StartupGate::RequestStop() {
  std::lock_guard<std::mutex> lock(mutex);
  stopRequested = true;
  return state == State::Starting;
}

void StartupGate::WaitUntilSettled() {
  std::unique_lock<std::mutex> lock(mutex);
  settled.wait(lock, [this] { return state != State::Starting; });
}
