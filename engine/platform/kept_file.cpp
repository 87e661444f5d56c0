#include "engine/platform/kept_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "engine/platform/message_box.h"

namespace bv {
namespace {

constexpr const char* kAlertCaption = "Alert";

std::string ErrorText(int error) { return std::strerror(error); }

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string DamagedCopyPath(const std::string& path, int age) {
  std::string name = path + ".bad";
  if (age > 0) name += "." + std::to_string(age);
  return name;
}

KeptFile::KeptFile(std::string path, KeptFileTexts texts)
    : m_Path(std::move(path)), m_Texts(texts) {}

FilePrefix KeptFile::Read(size_t size) {
  if (m_Path.empty()) return FilePrefix();
  FilePrefix read = ReadRegularFilePrefix(m_Path, size);
  if (read.status == FileReadStatus::kNotAFile) {
    KeepDamaged("it is not a regular file", true);
  } else if (read.status == FileReadStatus::kFailed) {
    // Most likely passing (permissions, a failing disk): the file may well
    // be whole, so nothing may replace it.
    m_WritesRefused = true;
    Tell(&m_ToldUnreadable, "Could not read the " + std::string(m_Texts.noun) + " " + m_Path +
                                " (" + ErrorText(read.error) + "). It is left as it is. " +
                                m_Texts.notSaved);
  }
  return read;
}

bool KeptFile::MakeRoomForCopy(int* error) const {
  for (int age = kKeptDamagedCopies - 1; age > 0; --age) {
    const std::string older = DamagedCopyPath(m_Path, age - 1);
    if (!Exists(older)) continue;
    // The rename replaces the copy of this age, which has moved up already
    // (or is the oldest, dropped).
    if (!RenameAndSync(older, DamagedCopyPath(m_Path, age), error)) return false;
  }
  return true;
}

bool KeptFile::KeepDamaged(const std::string& reason, bool moveAside) {
  if (m_Path.empty()) return false;
  const std::string kept = DamagedCopyPath(m_Path, 0);
  const std::string noun = m_Texts.noun;
  int error = 0;
  bool ok = MakeRoomForCopy(&error);
  if (ok) ok = moveAside ? RenameAndSync(m_Path, kept, &error)
                         : CopyFileReplacing(m_Path, kept, &error);
  if (ok) {
    Tell(&m_ToldDamaged, "The " + noun + " " + m_Path + " was damaged (" + reason +
                             "). What it held is kept as " + kept + ".");
    return true;
  }
  m_WritesRefused = true;
  Tell(&m_ToldDamaged, "The " + noun + " " + m_Path + " was damaged (" + reason +
                           "), and no copy of it could be kept (" + ErrorText(error) +
                           "). It is left as it is. " + m_Texts.notSaved);
  return false;
}

bool KeptFile::Write(const void* data, size_t size) {
  if (m_Path.empty() || m_WritesRefused) return false;
  int error = 0;
  if (WriteFileReplacing(m_Path, data, size, &error)) return true;
  Tell(&m_ToldWriteFailure, "Could not write the " + std::string(m_Texts.noun) + " " + m_Path +
                                " (" + ErrorText(error) + "). " + m_Texts.afterFailedWrite);
  return false;
}

void KeptFile::Tell(bool* told, const std::string& text) {
  if (*told) return;
  *told = true;
  ShowMessageBox(kAlertCaption, text);
}

}  // namespace bv
