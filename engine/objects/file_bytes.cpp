#include "engine/objects/file_bytes.h"

#include <IFileSystem.h>
#include <IReadFile.h>

#include <fstream>
#include <iterator>

namespace bv {

bool ReadWholeFile(irr::io::IFileSystem* fileSystem, const char* path, std::string* bytes) {
  if (path == nullptr || bytes == nullptr) return false;
  if (fileSystem == nullptr) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    bytes->swap(read);
    return true;
  }
  irr::io::IReadFile* file = fileSystem->createAndOpenFile(path);
  if (file == nullptr) return false;
  const long size = file->getSize();
  std::string read(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  size_t done = 0;
  while (done < read.size()) {
    const irr::s32 got = file->read(&read[done], static_cast<irr::u32>(read.size() - done));
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  file->drop();
  if (done != read.size()) return false;
  bytes->swap(read);
  return true;
}

}  // namespace bv
