// The program-wide pointers; null until the program (or a test) sets them.
#include "game/game_globals.h"

ge::XGraphicEngine* graphicAdapter = nullptr;
ie::XInputEngine* inputEngine = nullptr;
Game* game = nullptr;
