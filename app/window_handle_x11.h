// The X handle of the game's toolkit window, for the engines' own X connections.
#pragma once

class Fl_Window;

// The handle of a shown window, once the X server has the window. The toolkit's requests that
// create it may still wait in its connection's buffer, and a request about the window on another
// connection (the graphic engine's, the input engine's) would otherwise meet no such window.
unsigned long WindowHandleForOtherConnections(Fl_Window* window);
