// The Windows shell's global lock and the device recovery lock.
#include "app/shell_lock_win32.h"

#include <windows.h>

#include <mutex>

namespace {

// Recursive like the toolkit's: Shutdown takes it again inside a dispatch that holds it.
struct ShellLock {
  ShellLock() { InitializeCriticalSection(&section); }
  CRITICAL_SECTION section;
};

// Never destroyed: the game thread may still wait on it while the process exits.
ShellLock& shellLock() {
  static ShellLock* lock = new ShellLock;
  return *lock;
}

thread_local int heldByThisThread = 0;

std::mutex& deviceRecovery() {
  static std::mutex* mutex = new std::mutex;
  return *mutex;
}

}  // namespace

void LockShell() {
  EnterCriticalSection(&shellLock().section);
  ++heldByThisThread;
}

void UnlockShell() {
  --heldByThisThread;
  LeaveCriticalSection(&shellLock().section);
}

void LockShellAnsweringMessages() {
  while (TryEnterCriticalSection(&shellLock().section) == 0) AnswerSentMessages(1);
  ++heldByThisThread;
}

void AnswerSentMessages(unsigned milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_SENDMESSAGE);
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool ShellLockHeld() { return heldByThisThread > 0; }

void LockDeviceRecovery() { deviceRecovery().lock(); }

void UnlockDeviceRecovery() { deviceRecovery().unlock(); }

void StopDeviceRecovery() {
  // Kept for good: the process ends in the caller.
  while (!deviceRecovery().try_lock()) AnswerSentMessages(1);
}
