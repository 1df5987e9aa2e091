// The queue of pending quads (see the header).
#include "ge/quad_batch.h"

namespace ge {

QuadBatch::QuadBatch()
    : vertices(std::make_unique_for_overwrite<QuadVertex[]>(static_cast<std::size_t>(kCapacity) * 4)),
      slots(std::make_unique_for_overwrite<std::int32_t[]>(kCapacity)) {}

}  // namespace ge
