// The recording graphic engine: every call appended to `calls`, nothing drawn.
#include "tests/support/recording_graphic_engine.h"

#include <algorithm>

const char* callKindName(CallKind kind) {
  switch (kind) {
    case CallKind::BeginFrame: return "BeginFrame";
    case CallKind::Clear: return "Clear";
    case CallKind::EndFrame: return "EndFrame";
    case CallKind::SetTexture: return "SetTexture";
    case CallKind::DrawQuad: return "DrawQuad";
    case CallKind::SetRenderTarget: return "SetRenderTarget";
    case CallKind::DrawText: return "DrawText";
  }
  return "?";
}

std::ostream& operator<<(std::ostream& stream, CallKind kind) { return stream << callKindName(kind); }

RecordedCall& RecordingGraphicEngine::record(CallKind kind) {
  RecordedCall& call = calls.emplace_back();
  call.kind = kind;
  return call;
}

void RecordingGraphicEngine::BeginFrame() { record(CallKind::BeginFrame); }

void RecordingGraphicEngine::Clear(float r, float g, float b) {
  RecordedCall& call = record(CallKind::Clear);
  call.r = r;
  call.g = g;
  call.b = b;
}

void RecordingGraphicEngine::EndFrame() { record(CallKind::EndFrame); }

void RecordingGraphicEngine::SetTexture(std::int32_t slot) {
  currentTexture = slot;
  record(CallKind::SetTexture).slot = slot;
}

void RecordingGraphicEngine::DrawQuad(const ge::Quad* quad) {
  RecordedCall& call = record(CallKind::DrawQuad);
  call.quad = *quad;
  call.texture = currentTexture;
}

void RecordingGraphicEngine::SetRenderTarget(std::int32_t slot) { record(CallKind::SetRenderTarget).slot = slot; }

void RecordingGraphicEngine::DrawText(float x, float y, const char* text, float r, float g, float b,
                                      float a) {
  RecordedCall& call = record(CallKind::DrawText);
  if (text != nullptr) call.text = text;
  call.x = x;
  call.y = y;
  call.r = r;
  call.g = g;
  call.b = b;
  call.a = a;
}

void RecordingGraphicEngine::clear() { calls.clear(); }

std::vector<RecordedQuad> RecordingGraphicEngine::quads() const {
  std::vector<RecordedQuad> result;
  for (const RecordedCall& call : calls) {
    if (call.kind == CallKind::DrawQuad) result.push_back({call.quad, call.texture});
  }
  return result;
}

std::vector<RecordedQuad> RecordingGraphicEngine::quadsWithTexture(std::int32_t slot) const {
  std::vector<RecordedQuad> result;
  for (const RecordedCall& call : calls) {
    if (call.kind == CallKind::DrawQuad && call.texture == slot) result.push_back({call.quad, call.texture});
  }
  return result;
}

std::vector<RecordedText> RecordingGraphicEngine::texts() const {
  std::vector<RecordedText> result;
  for (const RecordedCall& call : calls) {
    if (call.kind == CallKind::DrawText) {
      result.push_back({call.text, call.x, call.y, call.r, call.g, call.b, call.a});
    }
  }
  return result;
}

std::vector<CallKind> RecordingGraphicEngine::kinds() const {
  std::vector<CallKind> result;
  result.reserve(calls.size());
  for (const RecordedCall& call : calls) result.push_back(call.kind);
  return result;
}

std::size_t RecordingGraphicEngine::count(CallKind kind) const {
  return static_cast<std::size_t>(
      std::count_if(calls.begin(), calls.end(), [kind](const RecordedCall& call) { return call.kind == kind; }));
}

