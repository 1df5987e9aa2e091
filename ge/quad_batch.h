// The quads an engine has queued since its last flush, each with the texture slot selected when
// it was queued, and how they go out: in pieces of a fixed number of quads (what a vertex buffer
// holds), each piece in runs of neighbouring quads that share a slot (one draw per run). Quads
// are never reordered. Any renderer that draws batched quads uses it; it knows no graphics API.
// Supports: 32,000 quads at most, a flush asked for at 30,000. Does not: sort by texture, merge
// runs that are not neighbours.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "ge/graphic_engine.h"

namespace ge {

// A stretch of one piece drawn with one texture: quads first .. first + count − 1, counted from
// the piece's first quad (where the piece's vertices start in the vertex buffer).
struct QuadRun {
  std::int32_t slot;
  int first;
  int count;
};

class QuadBatch {
 public:
  static constexpr int kCapacity = 32000;        // quads the store holds
  static constexpr int kFlushThreshold = 30000;  // queuing this many quads calls for a flush at once
  static constexpr int kPieceQuads = 1024;       // quads a piece holds

  // Allocates the whole store once: queuing never allocates.
  QuadBatch();

  // Queues a quad with its texture coordinates multiplied by the slot's scales (the fraction of
  // the texture its image covers). True when the batch has reached the flush threshold.
  // Inline: the game thread pays this per quad.
  bool Add(const Quad& quad, std::int32_t slot, float uScale, float vScale) {
    assert(count < kCapacity && "a full batch must be flushed before the next quad");
    QuadVertex* out = &vertices[static_cast<std::size_t>(count) * 4];
    for (const QuadVertex& vertex : quad.vertices) {
      *out++ = {vertex.x, vertex.y, vertex.colour, vertex.u * uScale, vertex.v * vScale};
    }
    slots[count] = slot;
    ++count;
    return count >= kFlushThreshold;
  }
  bool Full() const { return count >= kFlushThreshold; }
  bool Empty() const { return count == 0; }
  int Count() const { return count; }
  void Clear() { count = 0; }

  const QuadVertex* Vertices(int firstQuad) const { return &vertices[static_cast<std::size_t>(firstQuad) * 4]; }
  std::int32_t SlotOf(int quad) const { return slots[quad]; }

  // Calls onPiece(firstQuad, quadCount) for each piece in queue order, and after each piece
  // onRun(run) for each of its runs in order.
  template <typename OnPiece, typename OnRun>
  void ForEachPiece(OnPiece&& onPiece, OnRun&& onRun) const {
    for (int pieceStart = 0; pieceStart < count; pieceStart += kPieceQuads) {
      const int pieceEnd = pieceStart + kPieceQuads < count ? pieceStart + kPieceQuads : count;
      onPiece(pieceStart, pieceEnd - pieceStart);
      int first = pieceStart;
      while (first < pieceEnd) {
        const std::int32_t slot = slots[first];
        int end = first + 1;
        while (end < pieceEnd && slots[end] == slot) ++end;
        onRun(QuadRun{slot, first - pieceStart, end - first});
        first = end;
      }
    }
  }

 private:
  // Left unfilled: pages never written (a frame rarely queues more than a few hundred quads) then
  // never take up memory.
  std::unique_ptr<QuadVertex[]> vertices;
  std::unique_ptr<std::int32_t[]> slots;
  int count = 0;
};

}  // namespace ge
