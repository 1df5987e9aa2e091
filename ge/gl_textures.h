// The OpenGL textures and framebuffers the engine and its presenters make: point-sampled textures
// of R, G, B, A bytes, framebuffers drawing into them, clearing a target to black. The header
// names no GL type, so that the engine's other files need no GL header for these.
// Supports: RGBA8 textures, one-channel coverage textures, one colour attachment per framebuffer.
// Does not: mipmaps, filtering other than point sampling.
#pragma once

#include <cstdint>

namespace ge {

enum class TextureEdge { Repeat, Clamp };

// A new width × height RGBA texture from `rgba` (top row first; null leaves it undefined).
unsigned CreateTexture(int width, int height, const std::uint8_t* rgba, TextureEdge edge);
// Gives an existing texture a new image.
void ReplaceTexture(unsigned texture, int width, int height, const std::uint8_t* rgba);
// A texture of ink coverage bytes that samples as white ink whose alpha is the coverage, so text
// blends exactly like a tinted quad.
unsigned CreateCoverageTexture(int width, int height, const std::uint8_t* coverage);
// Reads a whole texture, R, G, B, A bytes, top row first.
void ReadTexture(unsigned texture, std::uint8_t* rgba);

// A framebuffer drawing into `texture` (0: none attached yet). When `role` is given, an
// incomplete framebuffer ends the program with "Cannot create Device", saying which `role` failed.
unsigned CreateFramebuffer(unsigned texture, const char* role = nullptr);
// Attaches another texture to a framebuffer and binds it.
void AttachTexture(unsigned framebuffer, unsigned texture);

// Starts a target over as black, the way a fresh display starts; leaves it bound.
void ClearToBlack(unsigned framebuffer, int width, int height);
// Clears the bound target to a colour of channel bytes, opaque unless said otherwise.
void ClearBound(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t alpha = 255);

void DeleteTexture(unsigned& texture);
void DeleteFramebuffer(unsigned& framebuffer);

// Waits until everything sent so far is drawn.
void FinishGl();

}  // namespace ge
