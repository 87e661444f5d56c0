#pragma once
// Whole-file reads for the readers that judge a file before handing it on:
// through the engine's file system (the mounted data pack, then the folder)
// or, without one, from the folder.
#include <string>

namespace irr { namespace io { class IFileSystem; } }

namespace bv {

// Reads every byte of the file at path. False when it cannot be opened or
// yields fewer bytes than its stated size; bytes is then unchanged.
bool ReadWholeFile(irr::io::IFileSystem* fileSystem, const char* path, std::string* bytes);

}  // namespace bv
