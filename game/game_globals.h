// The program-wide pointers the game code reaches the engines and the game through. The program
// sets them at start-up; tests set them to test engines.
#pragma once

namespace ge {
class XGraphicEngine;
}
namespace ie {
class XInputEngine;
}
struct Game;

extern ge::XGraphicEngine* graphicAdapter;
extern ie::XInputEngine* inputEngine;
extern Game* game;
