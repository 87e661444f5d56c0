#pragma once
// The engine's global pointers and command-line values. Each pointer is set
// by its owner while it lives and is null otherwise.
#include <cstdint>
#include <string>

namespace irr {
class IrrlichtDevice;
namespace video { class IVideoDriver; }
namespace scene { class ISceneManager; }
}  // namespace irr

class BvSystem;
class BvApplication;

extern BvSystem* g_System;
extern BvApplication* g_App;
extern irr::IrrlichtDevice* g_Device;
extern irr::video::IVideoDriver* g_Driver;
extern irr::scene::ISceneManager* g_SceneManager;

// Set to end the frame loop in order.
extern bool g_Quit;

// Command-line values: "-debuginfo" gives true, the others -1 when not given.
extern bool g_CmdDebugInfo;
extern int g_CmdLevel;
extern int g_CmdWorld;
extern int g_CmdLayout;
// "-scene": its value (at most 79 characters) and whether it was given.
// Kept for completeness; nothing reads it.
extern std::string g_CmdSceneName;
extern bool g_CmdSceneGiven;

// Ticks per second of the frame loop's counter, and whether it is usable
// (frame pacing runs only then).
extern int64_t g_TimerFrequency;
extern bool g_TimerReady;
