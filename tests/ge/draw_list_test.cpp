// The draw list: a frame's calls written down, compared exactly and played back in order.
#include "ge/draw_list.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "ge/quad.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

ge::Quad someQuad(float x) {
  ge::Quad quad;
  ge::MakeQuad(quad, x, 2.0f, 30.0f, 40.0f);
  return quad;
}

// A frame using every call once.
void drawFrame(ge::XGraphicEngine& engine, float quadX, const char* text) {
  engine.BeginFrame();
  engine.SetRenderTarget(ge::kCanvasSlot);
  engine.Clear(0.0f, 0.0f, 0.0f);
  engine.SetTexture(ge::kFieldSheetSlot);
  const ge::Quad quad = someQuad(quadX);
  engine.DrawQuad(&quad);
  engine.DrawText(10.0f, 20.0f, text, 1.0f, 0.5f, 0.0f, 0.92f);
  engine.SetRenderTarget(-1);
  engine.EndFrame();
}

// Calls of every kind with the values an encoding could lose: a line break, an empty text, bytes
// above 127, slot −1 and the last slot, negative zero, a NaN and a quad with its own colours.
void drawAwkwardCalls(ge::XGraphicEngine& engine) {
  engine.SetRenderTarget(ge::kCanvasSlot);
  engine.Clear(0.25f, -0.0f, 1.0f);
  engine.SetTexture(ge::kFieldSheetSlot);
  ge::Quad tinted = someQuad(-3.5f);
  ge::SetQuadTexture(tinted, 0.125f, 0.5f, 0.25f, 0.75f);
  ge::TintQuad(tinted, 0.5f, 0.25f, 1.0f, 0.92f);
  engine.DrawQuad(&tinted);
  engine.SetTexture(-1);
  const ge::Quad huge = someQuad(1.0e30f);
  engine.DrawQuad(&huge);
  engine.DrawText(10.0f, 20.0f, "\xD3\xF0\xEE\xE2\xE5\xED\xFC\n2", 1.0f, 0.5f, 0.0f, 0.92f);
  engine.DrawText(-1.5f, std::numeric_limits<float>::quiet_NaN(), "", 0.0f, 0.0f, 0.0f, 1.0f);
  engine.DrawText(0.0f, 0.0f, "\t\x98\xFF ", 1.0f, 1.0f, 1.0f, 0.0f);
  engine.SetRenderTarget(ge::kUnitSheetSlot);
  engine.Clear(1.0f, 1.0f, 1.0f);
  engine.SetRenderTarget(-1);
  engine.SetTexture(255);
}

std::string bitsOf(float value) { return std::to_string(std::bit_cast<std::uint32_t>(value)); }

// Every field of a recorded call, floats by their bits, so that −0 and NaN compare too.
std::string describe(const RecordedCall& call) {
  std::ostringstream text;
  text << call.kind << " slot " << call.slot << " texture " << call.texture << " text '" << call.text << "' at "
       << bitsOf(call.x) << ',' << bitsOf(call.y) << " colour " << bitsOf(call.r) << ',' << bitsOf(call.g) << ','
       << bitsOf(call.b) << ',' << bitsOf(call.a) << " quad";
  for (const ge::QuadVertex& vertex : call.quad.vertices) {
    text << ' ' << bitsOf(vertex.x) << ',' << bitsOf(vertex.y) << ',' << vertex.colour << ',' << bitsOf(vertex.u)
         << ',' << bitsOf(vertex.v);
  }
  return text.str();
}

std::vector<std::string> describe(const std::vector<RecordedCall>& calls) {
  std::vector<std::string> lines;
  for (const RecordedCall& call : calls) lines.push_back(describe(call));
  return lines;
}

TEST(DrawListTest, ReplayMakesTheCallsThatWereMadeOnIt) {
  RecordingGraphicEngine direct;
  drawAwkwardCalls(direct);

  ge::DrawList list;
  list.BeginFrame();
  drawAwkwardCalls(list);
  RecordingGraphicEngine replayed;
  list.Replay(replayed);

  EXPECT_EQ(describe(direct.calls), describe(replayed.calls));
}

TEST(DrawListTest, FramesDifferWhenAnyArgumentDiffers) {
  ge::DrawList first;
  ge::DrawList second;
  drawFrame(first, 4.0f, "A");
  drawFrame(second, 4.0f, "A");
  EXPECT_EQ(first, second);
  drawFrame(second, 4.5f, "A");
  EXPECT_FALSE(first == second);
  drawFrame(second, 4.0f, "B");
  EXPECT_FALSE(first == second);
  drawFrame(second, 4.0f, "AB");
  EXPECT_FALSE(first == second);
}

TEST(DrawListTest, BeginFrameStartsAnEmptyList) {
  ge::DrawList list;
  drawFrame(list, 4.0f, "A");
  list.BeginFrame();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list, ge::DrawList{});
}

TEST(DrawListTest, DrawingIntoAnotherSlotIsNoted) {
  ge::DrawList list;
  drawFrame(list, 4.0f, "A");
  EXPECT_FALSE(list.DrawsIntoSlots());
  list.SetRenderTarget(ge::kUnitSheetSlot);
  EXPECT_TRUE(list.DrawsIntoSlots());
}

TEST(DrawListTest, ACanvasClearedBeforeAnyDrawingIsNoted) {
  struct Case {
    const char* name;
    bool targetCanvas;
    bool drawFirst;
    bool expected;
  };
  const Case cases[] = {
      {"canvas cleared, then drawn", true, false, true},
      {"canvas drawn, then cleared", true, true, false},
      {"target never set: it may be any", false, false, false},
  };
  for (const Case& test : cases) {
    ge::DrawList list;
    list.BeginFrame();
    if (test.targetCanvas) list.SetRenderTarget(ge::kCanvasSlot);
    const ge::Quad quad = someQuad(1.0f);
    if (test.drawFirst) list.DrawQuad(&quad);
    list.Clear(0.0f, 0.0f, 0.0f);
    list.DrawQuad(&quad);
    EXPECT_EQ(test.expected, list.ClearsCanvasFirst()) << test.name;
  }
}

}  // namespace
