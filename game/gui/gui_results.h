#pragma once
// The result every dialog passes to the current screen's OnEvent when it
// closes (BvGui::Close), and the event sent when some dialogs open.
constexpr int kGuiResultNone = 0;           // the achievement notice
constexpr int kGuiResultQuit = 1;           // pause: "btnquit"
constexpr int kGuiResultResume = 2;         // pause, tutorial, trophies
constexpr int kGuiResultMainMenu = 3;       // pause: "btnmainmenu"
constexpr int kGuiResultOptions = 4;        // pause: "btnoptions"
constexpr int kGuiResultOpened = 5;         // pause, tutorial, trophies opening
constexpr int kGuiResultPlayerCreated = 6;  // new player: OK
constexpr int kGuiResultPlayerCancel = 7;   // new player: cancel
constexpr int kGuiResultOptionsDone = 8;    // options: OK
constexpr int kGuiResultPlayerChosen = 10;  // player selection: OK
constexpr int kGuiResultPlayersCancel = 11; // player selection: cancel
constexpr int kGuiResultQuitConfirmed = 12; // quit: OK
constexpr int kGuiResultQuitCancelled = 13; // quit: cancel
constexpr int kGuiResultBoardRecap = 14;    // board recap: OK
constexpr int kGuiResultHiddenRecap = 15;   // hidden-object recap: OK
constexpr int kGuiResultTimeUp = 16;        // time's up: OK
