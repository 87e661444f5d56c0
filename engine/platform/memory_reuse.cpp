#include "engine/platform/memory_reuse.h"

#include <malloc.h>

namespace bv {
namespace {
// Free memory at the top of the heap up to this is kept (bytes).
constexpr int kKeptFreeBytes = 64 * 1024 * 1024;
}  // namespace

void KeepFreedMemoryForReuse() { mallopt(M_TRIM_THRESHOLD, kKeptFreeBytes); }

}  // namespace bv
