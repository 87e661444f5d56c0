// The test probe's view of the screens around the boards: the title menu's
// buttons (made without names of their own), the map's spots and arrows,
// and the player dialogs' slots and typed name.
#include <string>

#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/platform/message_box.h"
#include "game/core/game.h"
#include "game/core/probe.h"
#include "game/gui/new_player_gui.h"
#include "game/gui/players_gui.h"
#include "game/scenes/intro_scene.h"
#include "game/scenes/map_scene.h"

namespace {
std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out.push_back(static_cast<char>(*text & 0xFF));
  return bv::Latin1ToUtf8(out);
}

nlohmann::json IntroPart(const BvIntroScene& intro, const BvLevelManager& levels) {
  nlohmann::json buttons = nlohmann::json::object();
  const std::pair<const char*, BvLevelElement*> named[] = {
      {"play", intro.GetPlayButton()},          {"trophies", intro.GetTrophiesButton()},
      {"options", intro.GetOptionsButton()},    {"exit", intro.GetExitButton()},
      {"changeplayer", intro.GetChangePlayerBar()}};
  for (const auto& [name, element] : named)
    buttons[name] = element ? ProbeRect(levels, *element) : nlohmann::json(nullptr);
  const BvLevelElement* welcome = intro.GetWelcomeText();
  return {{"buttons", buttons},
          {"welcome", welcome ? Narrow(welcome->GetText()) : std::string()}};
}

nlohmann::json MapPart(const BvMapScene& map, const BvLevelManager& levels) {
  nlohmann::json spots = nlohmann::json::array();
  for (int i = 0; i < BvMapScene::kSpotCount; ++i) {
    const BvLevelElement* spot = map.FindSpot(i);
    spots.push_back(spot ? ProbePoint(levels, *spot) : nlohmann::json(nullptr));
  }
  const BvLevelElement* arrow = map.GetMapArrow();
  return {{"spot", map.CurrentSpot()},
          {"spots", spots},
          {"mapArrow", arrow ? ProbePoint(levels, *arrow) : nlohmann::json(nullptr)}};
}

nlohmann::json PlayersPart(const BvPlayersGui& players, const BvLevelManager* guiLevels) {
  nlohmann::json slots = nlohmann::json::array();
  for (int i = 0; i < BvPlayersGui::kSlotCount; ++i) {
    const BvLevelElement* text = players.GetSlotText(i);
    slots.push_back(text ? Narrow(text->GetText()) : std::string());
  }
  // The alert box's buttons carry the names made from their ids.
  const BvAlertGui& alert = players.GetAlert();
  auto button = [guiLevels](const BvLevelElement* element) {
    return element && guiLevels ? ProbeRect(*guiLevels, *element) : nlohmann::json(nullptr);
  };
  return {{"slots", slots},
          {"selected", players.GetSelected()},
          {"editing", players.GetEditing()},
          {"alert", {{"open", alert.open},
                     {"purpose", alert.purpose},
                     {"ok", alert.open ? button(alert.GetFirstButton()) : nlohmann::json(nullptr)},
                     {"cancel", alert.open ? button(alert.GetSecondButton()) : nlohmann::json(nullptr)}}}};
}
}  // namespace

nlohmann::json ScreenSnapshot(const BvGame& game) {
  nlohmann::json out = nlohmann::json::object();
  const BvLevelManager* levels = game.GetCurrentLevels();
  const BvScene* scene = game.GetCurrentScene();
  if (levels) {
    const auto* intro = dynamic_cast<const BvIntroScene*>(scene);
    if (intro && intro->GetState() >= BvIntroScene::kStateOpening)
      out["intro"] = IntroPart(*intro, *levels);
    const auto* map = dynamic_cast<const BvMapScene*>(scene);
    if (map && map->GetState() >= BvMapScene::kStateOpening) out["map"] = MapPart(*map, *levels);
  }
  const BvScene* gui = game.GetGuiMode() != kGuiModeNone ? game.GetGui(game.GetCurrentGui()) : nullptr;
  // Only while open: a closing dialog's elements are being removed.
  if (gui && gui->GetState() == BvGui::kStateOpen) {
    if (const auto* players = dynamic_cast<const BvPlayersGui*>(gui))
      out["players"] = PlayersPart(*players, game.GetGlobalLevels());
    if (const auto* newPlayer = dynamic_cast<const BvNewPlayerGui*>(gui))
      out["newPlayer"] = {{"name", bv::Latin1ToUtf8(newPlayer->GetName().GetText())}};
  }
  return out;
}
