#include "engine/shell/globals.h"

BvSystem* g_System = nullptr;
BvApplication* g_App = nullptr;
irr::IrrlichtDevice* g_Device = nullptr;
irr::video::IVideoDriver* g_Driver = nullptr;
irr::scene::ISceneManager* g_SceneManager = nullptr;

bool g_Quit = false;

bool g_CmdDebugInfo = false;
int g_CmdLevel = -1;
int g_CmdWorld = -1;
int g_CmdLayout = -1;
std::string g_CmdSceneName;
bool g_CmdSceneGiven = false;

int64_t g_TimerFrequency = 0;
bool g_TimerReady = false;
