// The Windows shell's global lock, which keeps the window's message handling and the game's
// frames apart as a toolkit's global lock does: the main thread holds it while it dispatches
// messages and releases it only while it waits for more; the game thread holds it for each frame.
//
// Creating or resetting a Direct3D device and changing the window send messages to the window's
// thread and wait for the answer. Whoever does that must not hold this lock, and the main thread
// never blocks without answering such messages: while it waits for this lock (or for the game
// thread in Shutdown) it answers them, without the lock.
#pragma once

// Game thread: takes and releases the lock around a frame.
void LockShell();
void UnlockShell();

// Main thread: takes the lock, answering meanwhile the messages other threads send to its windows.
void LockShellAnsweringMessages();

// Main thread: answers the messages other threads have sent to its windows, and waits up to
// `milliseconds` for one when none is there. Posted messages stay queued.
void AnswerSentMessages(unsigned milliseconds);

// Whether the calling thread holds the lock: a message answered while the main thread waits for
// it runs without it.
bool ShellLockHeld();

// Device recovery runs on the game thread between frames, outside the lock (Reset sends messages
// to the window). Shutdown stops it for good before it destroys the engines: StopDeviceRecovery
// returns once no recovery is in progress, and none starts again.
void LockDeviceRecovery();
void UnlockDeviceRecovery();
void StopDeviceRecovery();
