#include "engine/platform/user_folder.h"

#include <cstdlib>
#include <system_error>

namespace bv {
namespace {

// Below the data home: maker folder, then game folder.
constexpr const char* kMakerFolder = "brasvolt";
constexpr const char* kGameFolder = "quorvel";

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

}  // namespace

std::filesystem::path UserFolder() {
  std::filesystem::path base;
  if (const char* dataHome = NonEmptyEnv("XDG_DATA_HOME")) {
    base = dataHome;
  } else if (const char* home = NonEmptyEnv("HOME")) {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    return {};
  }
  return base / kMakerFolder / kGameFolder;
}

std::filesystem::path UserFilePath(const std::string& fileName) {
  std::filesystem::path folder = UserFolder();
  if (folder.empty()) return {};
  return folder / fileName;
}

bool CreateUserFolder() {
  std::filesystem::path folder = UserFolder();
  if (folder.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return std::filesystem::is_directory(folder, error);
}

}  // namespace bv
