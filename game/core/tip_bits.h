#pragma once
// Tutorial tips: each is one bit of the profile's seen-tips mask and one page
// of the tutorial GUI, shown once per profile. The delays (ms) are how long
// after the scheduling event the page opens.

constexpr int kTipMatch3 = 1;    // while the player has made no match yet
constexpr int kTipTurtle = 2;    // a turtle spawned
constexpr int kTipCrab = 4;      // a crab spawned
constexpr int kTipBat = 8;       // a bat spawned
constexpr int kTipHidden = 16;   // the hidden-object screen
constexpr int kTipSpell = 32;    // a spell became ready
constexpr int kTipCage = 64;     // the board holds a cage
constexpr int kTipTimer = 128;   // the board's time gauge

constexpr float kTipMatch3DelayMs = 2500.0f;
constexpr float kTipMonsterDelayMs = 2500.0f;  // turtle, crab and bat
constexpr float kTipHiddenDelayMs = 3000.0f;
constexpr float kTipSpellDelayMs = 2000.0f;
constexpr float kTipCageDelayMs = 2500.0f;
constexpr float kTipTimerDelayMs = 1500.0f;
