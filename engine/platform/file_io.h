#pragma once
// Small whole-file helpers for the fixed-layout files ("config.dat",
// "savegame.sav").
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace bv {

// Reads at most maxBytes from the start of the file. False when it cannot be
// opened; a short file gives fewer bytes.
bool ReadFilePrefix(const std::filesystem::path& path, size_t maxBytes,
                    std::vector<uint8_t>* bytes);

// Writes the bytes to a temporary file in the same folder, checks that all of
// them were written, then renames it over the target, so an interrupted write
// leaves the old file whole. False (and no temporary left) on any failure.
bool WriteFileReplacing(const std::filesystem::path& path, const void* data, size_t size);

}  // namespace bv
