#pragma once
// The events the two play screens (board and hidden object) answer alike:
// the pause menu's quit and main menu, its options, and the play clock that
// stands still under a dialog.
class BvScene;
struct BvLevelStats;

// Quit or main menu: the result set and the screen's leaving state entered;
// options: the options dialog over the frozen screen; a dialog opened or
// closed: the play clock stopped or restarted. False for any other code.
bool HandlePlayScreenEvent(BvScene& scene, int code, int leavingState, BvLevelStats& stats);
