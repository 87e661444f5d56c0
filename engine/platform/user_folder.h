#pragma once
// The user's data folder, where "config.dat" and "savegame.sav" live:
// ${XDG_DATA_HOME:-$HOME/.local/share}/brasvolt/quorvel/.
#include <filesystem>
#include <string>

namespace bv {

// The folder, or an empty path when neither XDG_DATA_HOME nor HOME is set
// (reading and writing are then skipped).
std::filesystem::path UserFolder();

// A file in the user folder, or an empty path when there is no folder.
std::filesystem::path UserFilePath(const std::string& fileName);

// Creates the folder and its parents; true when it exists afterwards.
bool CreateUserFolder();

}  // namespace bv
