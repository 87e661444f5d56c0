#include "engine/platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace bv {
namespace {

// Mode of a file written where there was none (what fopen gives with the
// usual umask).
constexpr mode_t kNewFileMode = 0644;

// Reads until count bytes or the end; false (errno kept) on an error.
bool ReadFully(int fd, uint8_t* into, size_t count, size_t* got) {
  *got = 0;
  while (*got < count) {
    const ssize_t n = ::read(fd, into + *got, count - *got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    *got += size_t(n);
  }
  return true;
}

bool WriteFully(int fd, const uint8_t* from, size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, from, count);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    // A write that stores nothing without an error would loop for ever.
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    from += n;
    count -= size_t(n);
  }
  return true;
}

// Opens a regular file for reading without blocking on a pipe or device;
// -1 with errno set (ENOENT, or EINVAL standing for "not a file").
int OpenRegularFile(const std::filesystem::path& path, bool* notAFile) {
  *notAFile = false;
  // A socket cannot even be opened: look first, then check what was opened.
  struct stat seen;
  if (::stat(path.c_str(), &seen) == 0 && !S_ISREG(seen.st_mode)) {
    *notAFile = true;
    errno = EINVAL;
    return -1;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    *notAFile = true;
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  // Reads of a regular file never block; clearing the flag keeps them
  // ordinary all the same.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

bool SyncFolderOf(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

void SetError(int* error, int value) {
  if (error) *error = value;
}

// Writes what `fill` puts into the open temporary beside path, then renames
// it over path. `fill` returns false with errno set.
template <typename Fill>
bool ReplaceThroughTemporary(const std::filesystem::path& path, int* error, Fill fill) {
  SetError(error, 0);
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  mode_t mode = kNewFileMode;
  struct stat old;
  if (::stat(path.c_str(), &old) == 0) {
    // A file the user made read-only keeps its content, as a direct write
    // would (the rename alone would replace it).
    if (::access(path.c_str(), W_OK) != 0) {
      SetError(error, errno);
      return false;
    }
    if (S_ISREG(old.st_mode)) mode = old.st_mode & 07777;
  }
  std::string temp = path.string() + ".tmp.XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    SetError(error, errno);
    return false;
  }
  bool ok = ::fchmod(fd, mode) == 0 && fill(fd) && ::fsync(fd) == 0;
  int saved = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    SetError(error, saved);
    return false;
  }
  // The rename is only durable once the folder is: without this a power
  // loss can bring the old file back.
  SyncFolderOf(path);
  return true;
}

}  // namespace

FilePrefix ReadRegularFilePrefix(const std::filesystem::path& path, size_t maxBytes) {
  FilePrefix result;
  bool notAFile = false;
  const int fd = OpenRegularFile(path, &notAFile);
  if (fd < 0) {
    result.error = errno;
    result.status = notAFile            ? FileReadStatus::kNotAFile
                    : errno == ENOENT   ? FileReadStatus::kMissing
                                        : FileReadStatus::kFailed;
    return result;
  }
  // One byte more than asked tells a longer file from one of the size.
  result.bytes.resize(maxBytes + 1);
  size_t got = 0;
  if (!ReadFully(fd, result.bytes.data(), result.bytes.size(), &got)) {
    result.error = errno;
    result.status = FileReadStatus::kFailed;
    result.bytes.clear();
  } else {
    result.status = FileReadStatus::kRead;
    result.longer = got > maxBytes;
    result.bytes.resize(got > maxBytes ? maxBytes : got);
  }
  ::close(fd);
  return result;
}

bool WriteFileReplacing(const std::filesystem::path& path, const void* data, size_t size,
                        int* error) {
  return ReplaceThroughTemporary(path, error, [&](int fd) {
    return WriteFully(fd, static_cast<const uint8_t*>(data), size);
  });
}

bool CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                       int* error) {
  bool notAFile = false;
  const int source = OpenRegularFile(from, &notAFile);
  if (source < 0) {
    SetError(error, errno);
    return false;
  }
  const bool ok = ReplaceThroughTemporary(to, error, [&](int fd) {
    uint8_t buffer[1 << 16];
    for (;;) {
      size_t got = 0;
      if (!ReadFully(source, buffer, sizeof buffer, &got)) return false;
      if (got == 0) return true;
      if (!WriteFully(fd, buffer, got)) return false;
    }
  });
  ::close(source);
  return ok;
}

bool RenameAndSync(const std::filesystem::path& from, const std::filesystem::path& to,
                   int* error) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    SetError(error, errno);
    return false;
  }
  SetError(error, 0);
  SyncFolderOf(to);
  return true;
}

}  // namespace bv
