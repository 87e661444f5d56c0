#pragma once
// A file the player keeps between runs ("savegame.sav", "config.dat"): read
// and written so that nothing in it is lost without a copy, and every
// failure told to the player once (an "Alert" box).
//
// A file that could not be used as it was is kept aside: the newest copy as
// "<name>.bad", older ones as "<name>.bad.1" .. "<name>.bad.4", the oldest
// dropped first. A file that exists but cannot be read, or a damaged one of
// which no copy can be kept, is left as it is and never written over while
// this object lives.
#include <cstddef>
#include <string>

#include "engine/platform/file_io.h"

namespace bv {

// How many damaged copies of one file are kept.
constexpr int kKeptDamagedCopies = 5;

// The name of a damaged copy: path + ".bad" for the newest (age 0), then
// ".bad.1" and on.
std::string DamagedCopyPath(const std::string& path, int age);

// What the player is told about a file, in the file's own words.
struct KeptFileTexts {
  // "save file"
  const char* noun;
  // What a refused write costs: "Progress will not be saved while the game
  // runs."
  const char* notSaved;
  // What remains after a failed write: "The last save is kept; ..."
  const char* afterFailedWrite;
};

class KeptFile {
 public:
  KeptFile(std::string path, KeptFileTexts texts);

  const std::string& GetPath() const { return m_Path; }

  // Reads at most size bytes. A missing file reads as kMissing; something
  // that is not a regular file is moved aside and reads as kNotAFile; a
  // file that cannot be read is left alone, writes are refused and the
  // player is told (kFailed). An empty path reads as missing.
  FilePrefix Read(size_t size);

  // The reader could not use the file as it is (reason says why, e.g. "it
  // is too short to read"): keeps a copy of every byte, moving the file
  // itself aside when moveAside is set, and tells the player where. When no
  // copy can be kept the file is left alone and writes are refused. True
  // when a copy was kept.
  bool KeepDamaged(const std::string& reason, bool moveAside = false);

  // Replaces the file with the bytes unless writes are refused; the first
  // failure is told, later ones are not. Silent false for an empty path.
  bool Write(const void* data, size_t size);

  bool AreWritesRefused() const { return m_WritesRefused; }

 private:
  // Moves every kept copy one age up, dropping the oldest; false (errno in
  // *error) when one could not be moved, nothing being overwritten then.
  bool MakeRoomForCopy(int* error) const;
  void Tell(bool* told, const std::string& text);

  std::string m_Path;
  KeptFileTexts m_Texts;
  bool m_WritesRefused = false;
  bool m_ToldUnreadable = false;
  bool m_ToldDamaged = false;
  bool m_ToldWriteFailure = false;
};

}  // namespace bv
