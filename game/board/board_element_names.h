#pragma once
// Every element template the board makes level elements from, by name: the
// board screens' scene files define them all (a missing one shows the
// engine's alert and leaves the element without image).
constexpr const char* kBoardElementNames[] = {
    // Pieces: plain, idle and turning, for the five colours; locks.
    "P1", "P2", "P3", "P4", "P5", "P1Idle", "P2Idle", "P3Idle", "P4Idle", "P5Idle", "P1Turn",
    "P2Turn", "P3Turn", "P4Turn", "P5Turn", "chaine1", "chaine2",
    // Backgrounds and the cleared cells' edges.
    "backclear", "backclearct", "backcleart", "backclearl", "backcleartl", "backfill", "blocker",
    "cage", "chaineh",
    // Effects, pop-ups and shows.
    "whiteeffect", "explo1", "explo1png", "pt5", "pt10", "pt15", "pt30", "combo1", "combomatch",
    "luminos", "hintright", "hintleft", "levelcomplete", "nomoremoves",
    // The frame.
    "bright", "bleft", "bbottom", "btop", "bbottomright", "binnertopleft", "bbottomleft",
    "binnertopright", "btopright", "binnerbottomleft", "btopleft", "binnerbottomright",
    // Selection, gauges, spell panel and tooltip.
    "seltopleft", "seltopright", "selbottomleft", "selbottomright", "timegaugeback", "timegauge",
    "timegaugefront", "jaugeback", "jauge", "locksort", "halosort", "tooltip", "galaxy16",
    // Spell effects.
    "storm", "smoke", "freeze", "exploglace", "bulleeffect",
    // Monsters, their gauges and effects.
    "crabs", "bat", "turtle", "gaugeent", "gaugeentback", "monsterappear", "effectmonster",
    "monsterhit"};
