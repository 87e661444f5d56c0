#pragma once
// The process keeps the memory it frees for reuse instead of handing it
// back to the system at once. The software OpenGL renderer allocates and
// frees its per-frame buffers every frame; returned to the system, each
// frame had to fault them in afresh (about half of the drawing cost).
namespace bv {
void KeepFreedMemoryForReuse();
}  // namespace bv
