#pragma once
// Small whole-file helpers for the fixed-layout files ("config.dat",
// "savegame.sav").
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace bv {

enum class FileReadStatus {
  kRead,      // a regular file, read
  kMissing,   // nothing at the path
  kNotAFile,  // something else there: a named pipe, a folder, a device
  kFailed,    // a file that could not be opened or read (error says why)
};

struct FilePrefix {
  FileReadStatus status = FileReadStatus::kMissing;
  // At most the requested number of bytes from the start of the file.
  std::vector<uint8_t> bytes;
  // The file holds more bytes than were requested.
  bool longer = false;
  // errno of a failure, else 0.
  int error = 0;
};

// Reads at most maxBytes from the start of a regular file. The file is
// opened without blocking and checked before anything is read, so a named
// pipe or a device at the path never holds the caller.
FilePrefix ReadRegularFilePrefix(const std::filesystem::path& path, size_t maxBytes);

// Writes the bytes to a temporary file of its own (a unique name in the
// same folder, so two writers never share one), syncs it, renames it over
// the target and syncs the folder, so an interrupted write or a power loss
// leaves the old file or the new one whole. Creates the folder when it is
// missing. An existing target that is not writable is left alone. False
// (errno in *error, no temporary left) on any failure.
bool WriteFileReplacing(const std::filesystem::path& path, const void* data, size_t size,
                        int* error = nullptr);

// Copies every byte of the regular file `from` to `to` the same way.
bool CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                       int* error = nullptr);

// Renames `from` to `to` and syncs the folder.
bool RenameAndSync(const std::filesystem::path& from, const std::filesystem::path& to,
                   int* error = nullptr);

}  // namespace bv
