// A lost X connection (the server gone, or the game's client killed) ends the program through the
// event log's fatal path, whichever thread's connection notices it first.
#pragma once

// Replaces the toolkit's X I/O error handler, which calls exit() on the main thread: exit() runs
// the libraries' destructors and unloads the GL driver while the game thread may still be inside
// it. The handler here writes "GE.error: Lost the connection to the display NAME" and ends the
// process through LogError, which runs no destructor. Xlib keeps one handler for the whole
// process, so this covers the graphic and input engines' own connections too. Writes to a closed
// connection are made to fail rather than raise SIGPIPE. The input engine's sight of the game
// window vanishing (its client killed) ends the program the same way. Call once the toolkit has
// opened its display, before other threads start.
void EndOnLostDisplay();
