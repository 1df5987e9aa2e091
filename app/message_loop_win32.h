// The main thread's message loop, the Windows shell's counterpart of a toolkit's event loop.
#pragma once

// Dispatches the thread's messages until WM_QUIT, holding the shell lock while it dispatches and
// releasing it while it waits (app/shell_lock_win32.h). The caller holds the lock, and holds it
// again when this returns.
void RunMessageLoop();
