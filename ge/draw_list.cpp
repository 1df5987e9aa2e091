// A frame's calls as one byte string: each call is its tag followed by its arguments' bytes.
#include "ge/draw_list.h"

#include <cassert>
#include <cstring>
#include <string>

namespace ge {

namespace {

// Reads the list back in the order it was written; the list is our own, so a read past its end
// is a programming mistake.
class Reader {
 public:
  explicit Reader(const std::vector<std::byte>& bytes) : bytes(bytes) {}
  bool AtEnd() const { return position == bytes.size(); }

  template <typename Value>
  Value Take() {
    assert(position + sizeof(Value) <= bytes.size() && "draw list read past its end");
    Value value;
    std::memcpy(&value, bytes.data() + position, sizeof(Value));
    position += sizeof(Value);
    return value;
  }

  std::string TakeText(std::size_t length) {
    assert(position + length <= bytes.size() && "draw list read past its end");
    std::string text(reinterpret_cast<const char*>(bytes.data() + position), length);
    position += length;
    return text;
  }

 private:
  const std::vector<std::byte>& bytes;
  std::size_t position = 0;
};

struct ClearArguments {
  float r, g, b;
};

struct TextArguments {
  float x, y, r, g, b, a;
  std::uint32_t length;
};

}  // namespace

template <typename Value>
void DrawList::put(const Value& value) {
  const auto* first = reinterpret_cast<const std::byte*>(&value);
  bytes.insert(bytes.end(), first, first + sizeof(Value));
}

void DrawList::BeginFrame() {
  bytes.clear();
  drawsIntoSlots = false;
  target = kUnknownTarget;
  canvasDrawn = false;
  canvasClearedFirst = false;
}

void DrawList::noteDrawing() {
  if (target == kCanvasSlot || target == kUnknownTarget) canvasDrawn = true;
}

void DrawList::Clear(float r, float g, float b) {
  put(Call::Clear);
  put(ClearArguments{r, g, b});
  if (target == kCanvasSlot && !canvasDrawn) canvasClearedFirst = true;
}

void DrawList::SetTexture(std::int32_t slot) {
  put(Call::SetTexture);
  put(slot);
}

void DrawList::DrawQuad(const Quad* quad) {
  put(Call::DrawQuad);
  put(*quad);
  noteDrawing();
}

void DrawList::SetRenderTarget(std::int32_t slot) {
  put(Call::SetRenderTarget);
  put(slot);
  target = slot;
  if (slot != -1 && slot != kCanvasSlot) drawsIntoSlots = true;
}

void DrawList::DrawText(float x, float y, const char* text, float r, float g, float b, float a) {
  noteDrawing();
  // A missing text is the engine's error to report: it is handed on as it came.
  if (text == nullptr) {
    put(Call::DrawText);
    put(TextArguments{x, y, r, g, b, a, UINT32_MAX});
    return;
  }
  const std::size_t length = std::strlen(text);
  put(Call::DrawText);
  put(TextArguments{x, y, r, g, b, a, static_cast<std::uint32_t>(length)});
  const auto* first = reinterpret_cast<const std::byte*>(text);
  bytes.insert(bytes.end(), first, first + length);
}

void DrawList::Replay(XGraphicEngine& engine) const {
  Reader reader(bytes);
  while (!reader.AtEnd()) {
    switch (reader.Take<Call>()) {
      case Call::Clear: {
        const auto colour = reader.Take<ClearArguments>();
        engine.Clear(colour.r, colour.g, colour.b);
        break;
      }
      case Call::SetTexture: engine.SetTexture(reader.Take<std::int32_t>()); break;
      case Call::DrawQuad: {
        const auto quad = reader.Take<Quad>();
        engine.DrawQuad(&quad);
        break;
      }
      case Call::SetRenderTarget: engine.SetRenderTarget(reader.Take<std::int32_t>()); break;
      case Call::DrawText: {
        const auto text = reader.Take<TextArguments>();
        if (text.length == UINT32_MAX) {
          engine.DrawText(text.x, text.y, nullptr, text.r, text.g, text.b, text.a);
        } else {
          const std::string characters = reader.TakeText(text.length);
          engine.DrawText(text.x, text.y, characters.c_str(), text.r, text.g, text.b, text.a);
        }
        break;
      }
    }
  }
}

}  // namespace ge
