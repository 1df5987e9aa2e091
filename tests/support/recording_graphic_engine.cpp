// The recording graphic engine: every call appended to `calls`, nothing drawn.
#include "tests/support/recording_graphic_engine.h"

std::ostream& operator<<(std::ostream& stream, CallKind kind) {
  static const char* const names[] = {"BeginFrame", "Clear",           "EndFrame", "SetTexture",
                                      "DrawQuad",   "SetRenderTarget", "DrawText"};
  return stream << names[static_cast<int>(kind)];
}

void RecordingGraphicEngine::Clear(float r, float g, float b) {
  RecordedCall& call = record(CallKind::Clear);
  call.r = r;
  call.g = g;
  call.b = b;
}

void RecordingGraphicEngine::SetTexture(std::int32_t slot) {
  currentTexture = slot;
  record(CallKind::SetTexture).slot = slot;
}

void RecordingGraphicEngine::DrawQuad(const ge::Quad* quad) {
  RecordedCall& call = record(CallKind::DrawQuad);
  call.quad = *quad;
  call.texture = currentTexture;
}

void RecordingGraphicEngine::DrawText(float x, float y, const char* text, float r, float g, float b, float a) {
  RecordedCall& call = record(CallKind::DrawText);
  if (text != nullptr) call.text = text;
  call.x = x;
  call.y = y;
  call.r = r;
  call.g = g;
  call.b = b;
  call.a = a;
}

std::vector<RecordedQuad> RecordingGraphicEngine::quads(std::int32_t slot) const {
  std::vector<RecordedQuad> result;
  for (const RecordedCall& call : calls) {
    if (call.kind == CallKind::DrawQuad && (slot == kAnyTexture || call.texture == slot)) {
      result.push_back({call.quad, call.texture});
    }
  }
  return result;
}

std::vector<RecordedText> RecordingGraphicEngine::texts() const {
  std::vector<RecordedText> result;
  for (const RecordedCall& call : calls) {
    if (call.kind == CallKind::DrawText) result.push_back({call.text, call.x, call.y, call.r, call.g, call.b, call.a});
  }
  return result;
}

std::vector<CallKind> RecordingGraphicEngine::kinds() const {
  std::vector<CallKind> result;
  for (const RecordedCall& call : calls) result.push_back(call.kind);
  return result;
}
