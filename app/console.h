// The console at start-up: Russian locale with English numbers, light green text, the title
// "Консоль", and the banner.
#pragma once

void PrepareConsole();

// Puts the terminal's colour back; called last, after "goodbye".
void RestoreConsole();
