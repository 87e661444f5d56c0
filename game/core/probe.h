#pragma once
// The test probe: with QUORVEL_PROBE=<file> set, the game writes a JSON
// snapshot of what a test needs to drive it after each frame in which
// anything changed, at most every 50 ms, atomically (a temporary file
// renamed over the old one). Players never see it.
//
// Snapshot: "scene" (number, state, done, and in the written file "states",
// the states the visit went through, one entry per change), "gui" (number,
// mode, state and the texts of the dialog's level), "profile" (null or name,
// world, level, score and the counters), "board" (null or its flags,
// selection, every cell, the spells with charge, ready, locked and the window
// point of their place on the panel, and the living monsters with slot,
// kind, life and window rectangle), "hidden" (null or the hidden-object
// screen's objects and hint), "screen" (the title menu's buttons, the map's
// spots, the player dialogs' slots and name), "sound" (the music last
// started, the two master volumes), "elements" (window pixel rectangles of
// the named, clickable elements of the screen's level and of the dialog's
// level), "cursor" (window pixels), "window" (its size), and in the written
// file "clock" (frames drawn and the game time they advanced, ms).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

class BvGame;
class BvLevelElement;
class BvLevelManager;

class BvProbe {
 public:
  // Shortest time between two writes, milliseconds.
  static constexpr int64_t kMinIntervalMs = 50;

  explicit BvProbe(std::string path);

  // The probe of QUORVEL_PROBE, or null when it is not set.
  static std::unique_ptr<BvProbe> FromEnvironment();
  // What the game shows now.
  static nlohmann::json Snapshot(const BvGame& game);

  // Writes the snapshot when it differs from the last one written and the
  // last write is at least kMinIntervalMs old (bv::GetClock() time). A
  // change held back is written by a later frame. True when written.
  bool AfterFrame(const BvGame& game);

  const std::string& GetPath() const { return m_Path; }

 private:
  bool Write(const std::string& text) const;

  std::string m_Path;
  std::string m_LastWritten;
  int64_t m_LastWriteTicks = 0;
  // Frames seen and the game time they advanced (ms), and the frame of the
  // last write: the snapshot's "clock".
  int64_t m_Frames = 0;
  double m_GameMs = 0.0;
  int64_t m_FramesWritten = -1;
  bool m_WroteOnce = false;
  // The scene of the visit being followed and its states so far.
  int m_Scene = -1;
  std::vector<int> m_States;
};

// The board's part of the snapshot (null off the board screens).
nlohmann::json BoardSnapshot(const BvGame& game);
// The hidden-object screen's part (null elsewhere): per object in play its
// name, window rectangle (while hidden), found flag and panel text; the
// hint button's state and target; hints used; the end show's phase.
nlohmann::json HiddenSnapshot(const BvGame& game);
// The title menu's, the map's and the player dialogs' parts (null
// elsewhere): what those screens made without names of their own.
nlohmann::json ScreenSnapshot(const BvGame& game);
// An element's body as a window-pixel rectangle (x, y, w, h), null
// without a body; and its position as a window pixel (x, y).
nlohmann::json ProbeRect(const BvLevelManager& levels, const BvLevelElement& element);
nlohmann::json ProbePoint(const BvLevelManager& levels, const BvLevelElement& element);
