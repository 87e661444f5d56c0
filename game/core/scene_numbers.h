#pragma once
// Scene and GUI numbers, scene results and the GUI modes of the game object.

// Scenes 1..17 (index 0 of the table stays empty).
constexpr int kSceneSplash = 1;
constexpr int kSceneIntro = 2;  // title menu
constexpr int kSceneStory = 3;
constexpr int kSceneFirstBoard = 4;   // board screen of world W: 4 + W
constexpr int kSceneFirstHidden = 10; // hidden-object screen of world W: 10 + W
constexpr int kSceneMap = 16;
constexpr int kSceneSplashDistri = 17;
constexpr int kSceneTableSize = 18;
constexpr int kLastScene = kSceneTableSize - 1;

// GUIs 0..10.
constexpr int kGuiPause = 0;
constexpr int kGuiOptions = 1;
constexpr int kGuiNewPlayer = 2;
constexpr int kGuiPlayers = 3;
constexpr int kGuiQuit = 4;
constexpr int kGuiRecapSwap = 5;    // the board recap
constexpr int kGuiRecapHidden = 6;  // the hidden-object recap
constexpr int kGuiTutorial = 8;
constexpr int kGuiTrophies = 9;
constexpr int kGuiTableSize = 11;
constexpr int kNoGui = -1;

// What a finished scene asks of the scene flow.
constexpr int kResultContinue = 0;
constexpr int kResultQuit = 1;
constexpr int kResultTitle = 2;
constexpr int kResultReplay = 3;

// GUI modes.
constexpr int kGuiModeNone = 0;
constexpr int kGuiModeFrozen = 1;   // scene frozen under the dialog
constexpr int kGuiModeRunning = 2;  // scene runs under the dialog
constexpr int kGuiModeNotice = 3;   // notice over the live board, not announced

// Events the game object sends to the current scene.
constexpr int kEventGuiOpened = 17;
constexpr int kEventGuiClosed = 18;
