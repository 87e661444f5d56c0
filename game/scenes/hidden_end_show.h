#pragma once
// The show that ends a won hidden-object level: after half a second the
// music drops to a third, "endgame" plays and the "levelcomplete" banner
// zooms in and out; after 7.5 seconds the music comes back and the show
// reports its end. Each screen keeps its own and clears it at every visit's
// start. This is deliberate: a show shared by the screens and kept between
// visits would, after a visit left during the show (pause menu), go on in
// the next level's win, cutting its banner short or ending it at once.
class BvLevelManager;

class BvHiddenEndShow {
 public:
  static constexpr int kIdle = 0;
  static constexpr int kWaiting = 1;
  static constexpr int kShowing = 2;

  // Milliseconds from the win to the banner and to the end of the show.
  static constexpr float kBannerAtMs = 500.0f;
  static constexpr float kEndAtMs = 7500.0f;

  // Advances the show by ms; true in the update that ends it (the music's
  // volume restored and the show back to idle).
  bool Update(float ms, BvLevelManager* levels);
  // Back to idle; a show cut short gives the music its volume back.
  void Reset();

  int GetPhase() const { return m_Phase; }
  float GetTimer() const { return m_Timer; }

 private:
  // Milliseconds since the win.
  float m_Timer = 0.0f;
  int m_Phase = kIdle;
  // The music's volume before the show lowered it.
  float m_SavedVolume = 0.0f;
};
