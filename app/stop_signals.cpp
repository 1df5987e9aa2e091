// The stop signals: a handler that writes one byte to a pipe, and the toolkit watching the pipe.
#include "app/stop_signals.h"

#include <FL/Fl.H>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

int requestPipe[2] = {-1, -1};
volatile sig_atomic_t stopRequested = 0;
void (*endProgram)() = nullptr;

// Async-signal-safe: a flag, write(), signal() and raise() alone.
void noteStopSignal(int number) {
  if (stopRequested) {
    // The first request is already being handled (or the program hangs in it): end at once.
    signal(number, SIG_DFL);
    raise(number);
    return;
  }
  stopRequested = 1;
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(requestPipe[1], &byte, 1);
  errno = savedErrno;
}

void onRequest(int descriptor, void*) {
  char bytes[16];
  [[maybe_unused]] const ssize_t got = read(descriptor, bytes, sizeof bytes);
  // Runs once: the ending never returns.
  Fl::remove_fd(descriptor);
  endProgram();
}

sigset_t stopSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int number : kStopSignals) sigaddset(&set, number);
  return set;
}

}  // namespace

void CatchStopSignals() {
  if (pipe2(requestPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals then keep their default
  struct sigaction action {};
  action.sa_handler = noteStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kStopSignals) sigaction(number, &action, nullptr);
}

void WatchStopSignals(void (*end)()) {
  if (requestPipe[0] < 0) return;
  endProgram = end;
  Fl::add_fd(requestPipe[0], FL_READ, onRequest);
}

StopSignalsBlocked::StopSignalsBlocked() {
  const sigset_t set = stopSignalSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

StopSignalsBlocked::~StopSignalsBlocked() {
  const sigset_t set = stopSignalSet();
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}
