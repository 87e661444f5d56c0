#include "engine/platform/file_io.h"

#include <unistd.h>

#include <cstdio>
#include <system_error>

namespace bv {

bool ReadFilePrefix(const std::filesystem::path& path, size_t maxBytes,
                    std::vector<uint8_t>* bytes) {
  bytes->clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes->resize(maxBytes);
  size_t got = std::fread(bytes->data(), 1, maxBytes, file);
  bytes->resize(got);
  std::fclose(file);
  return true;
}

bool WriteFileReplacing(const std::filesystem::path& path, const void* data, size_t size) {
  std::filesystem::path temp = path;
  temp += ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(data, 1, size, file) == size;
  ok = std::fflush(file) == 0 && ok;
  ok = ::fsync(::fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  std::error_code error;
  if (ok) {
    std::filesystem::rename(temp, path, error);
    ok = !error;
  }
  if (!ok) std::filesystem::remove(temp, error);
  return ok;
}

}  // namespace bv
