// The quad batch: what it keeps of each quad, and how it cuts the queue into pieces and runs
// without reordering anything. When it calls for a flush is checked on the engine that flushes.
#include "ge/quad_batch.h"

#include <gtest/gtest.h>

#include <vector>

#include "ge/quad.h"

namespace {

struct SeenPiece {
  int first;
  int count;
  bool operator==(const SeenPiece&) const = default;
};
struct SeenRun {
  int piece;
  std::int32_t slot;
  int first;
  int count;
  bool operator==(const SeenRun&) const = default;
};
std::ostream& operator<<(std::ostream& stream, const SeenPiece& piece) {
  return stream << "piece " << piece.first << "+" << piece.count;
}
std::ostream& operator<<(std::ostream& stream, const SeenRun& run) {
  return stream << "run in piece " << run.piece << ": slot " << run.slot << " " << run.first << "+" << run.count;
}

class QuadBatchTest : public testing::Test {
 protected:
  void add(std::int32_t slot, int times = 1) {
    ge::Quad quad;
    ge::MakeQuad(quad, 0, 0, 1, 1);
    for (int i = 0; i < times; ++i) batch.Add(quad, slot, 1.0f, 1.0f);
  }
  void cut() {
    batch.ForEachPiece([&](int first, int count) { pieces.push_back({first, count}); },
                       [&](const ge::QuadRun& run) {
                         runs.push_back({static_cast<int>(pieces.size()) - 1, run.slot, run.first, run.count});
                       });
  }

  ge::QuadBatch batch;
  std::vector<SeenPiece> pieces;
  std::vector<SeenRun> runs;
};

TEST_F(QuadBatchTest, AQuadIsKeptWithItsSlotAndItsTextureCoordinatesScaled) {
  ge::Quad quad;
  ge::MakeQuad(quad, 3, 4, 10, 20);
  ge::TintQuad(quad, 1.0f, 0.5f, 0.0f, 1.0f);
  batch.Add(quad, 9, 0.5f, 0.25f);
  ASSERT_EQ(1, batch.Count());
  EXPECT_EQ(9, batch.SlotOf(0));
  const ge::QuadVertex* vertices = batch.Vertices(0);
  EXPECT_EQ(13.0f, vertices[3].x);
  EXPECT_EQ(24.0f, vertices[3].y);
  EXPECT_EQ(quad.vertices[3].colour, vertices[3].colour);
  EXPECT_EQ(0.5f, vertices[3].u);
  EXPECT_EQ(0.25f, vertices[3].v);
  EXPECT_EQ(0.0f, vertices[0].u);
}

TEST_F(QuadBatchTest, NeighboursOfOneSlotShareARunAndASlotComingBackStartsANewOne) {
  add(5, 2);
  add(7);
  add(5);
  add(-1);
  cut();
  EXPECT_EQ((std::vector<SeenPiece>{{0, 5}}), pieces);
  EXPECT_EQ((std::vector<SeenRun>{{0, 5, 0, 2}, {0, 7, 2, 1}, {0, 5, 3, 1}, {0, -1, 4, 1}}), runs);
}

TEST_F(QuadBatchTest, ALongBatchGoesInFullPiecesWithRunsCountedFromEachPiecesStart) {
  constexpr int kPiece = ge::QuadBatch::kPieceQuads;
  add(1, kPiece - 1);
  add(2, 3);  // straddles the first piece's end
  add(3, kPiece);
  cut();
  EXPECT_EQ((std::vector<SeenPiece>{{0, kPiece}, {kPiece, kPiece}, {2 * kPiece, 2}}), pieces);
  EXPECT_EQ((std::vector<SeenRun>{{0, 1, 0, kPiece - 1}, {0, 2, kPiece - 1, 1}, {1, 2, 0, 2}, {1, 3, 2, kPiece - 2},
                              {2, 3, 0, 2}}),
            runs);
}

TEST_F(QuadBatchTest, AnEmptyBatchHasNoPiece) {
  cut();
  EXPECT_TRUE(pieces.empty());
  EXPECT_TRUE(runs.empty());
}

}  // namespace
