#include "game/core/probe.h"

#include <box2d/box2d.h>
#include <irrlicht.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/platform/clock.h"
#include "engine/platform/message_box.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"
#include "game/board/board_geometry.h"
#include "game/board/layout.h"
#include "game/board/monster_manager.h"
#include "game/core/game.h"
#include "game/core/level_stats.h"
#include "game/core/player_store.h"
#include "game/scenes/hidden_scene.h"
#include "game/scenes/scene.h"

namespace {
constexpr const char* kProbeVariable = "QUORVEL_PROBE";
// The logical field the window shows.
constexpr float kFieldWidth = 2.0f * kFieldHalfWidth;
constexpr float kFieldHeight = 2.0f * kFieldHalfHeight;
// Names the level runtime gives to the four borders.
constexpr const char* kBorderPrefix = "_bdr";

// Window pixels per field pixel on each axis.
irr::core::vector2df WindowScale() {
  if (!g_Driver) return {1.0f, 1.0f};
  const irr::core::dimension2du size = g_Driver->getScreenSize();
  if (size.Width == 0 || size.Height == 0) return {1.0f, 1.0f};
  return {float(size.Width) / kFieldWidth, float(size.Height) / kFieldHeight};
}

// A world point of layer 0 (pixels) as a window pixel.
irr::core::vector2df ToWindow(const BvLevelManager& levels, irr::core::vector2df point) {
  irr::core::vector2df scale(1.0f, 1.0f);
  float angle = 0.0f;
  levels.ApplyCamera(point, scale, angle, 0);
  const irr::core::vector2df screen = BvLevelManager::WorldToScreen(point);
  const irr::core::vector2df window = WindowScale();
  return {screen.X * window.X, screen.Y * window.Y};
}

// Only elements a test could click: an authored name (not the one made
// from the id, not a border) and a body.
bool IsClickable(const BvLevelElement& element) {
  const std::string& name = element.GetNameString();
  if (name.empty() || name == CManagedObjectBase::MakeIdName(element.GetId())) return false;
  if (name.rfind(kBorderPrefix, 0) == 0) return false;
  const b2Body* body = element.GetBody();
  return body && body->GetFixtureList();
}

// The window rectangle of an element's physics body; false without one.
bool BodyRectangle(const BvLevelManager& levels, const BvLevelElement& element, nlohmann::json& out) {
  const b2Body* body = element.GetBody();
  if (!body || !body->GetFixtureList()) return false;
  b2AABB box;
  box.lowerBound.SetZero();
  box.upperBound.SetZero();
  bool first = true;
  for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
    for (int child = 0; child < f->GetShape()->GetChildCount(); ++child) {
      b2AABB part;
      f->GetShape()->ComputeAABB(&part, body->GetTransform(), child);
      if (first) box = part;
      else box.Combine(part);
      first = false;
    }
  }
  // World y grows upwards, window y downwards: the top-left corner comes
  // from the box's lower x and upper y.
  const irr::core::vector2df topLeft = ToWindow(
      levels, {box.lowerBound.x * kPixelsPerMetre, box.upperBound.y * kPixelsPerMetre});
  const irr::core::vector2df bottomRight = ToWindow(
      levels, {box.upperBound.x * kPixelsPerMetre, box.lowerBound.y * kPixelsPerMetre});
  out["x"] = std::lround(topLeft.X);
  out["y"] = std::lround(topLeft.Y);
  out["w"] = std::lround(bottomRight.X - topLeft.X);
  out["h"] = std::lround(bottomRight.Y - topLeft.Y);
  return true;
}

void AddElements(nlohmann::json& out, const BvLevelManager* levels, const char* where) {
  const BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  if (!level) return;
  for (const auto& entry : level->GetIdIndex()) {
    const auto& element = *static_cast<const BvLevelElement*>(entry.second);
    if (!IsClickable(element)) continue;
    nlohmann::json item = {{"name", element.GetNameString()}, {"level", where}};
    BodyRectangle(*levels, element, item);
    out.push_back(item);
  }
}

// A wide text (Latin-1 characters) as UTF-8.
std::string Utf8(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) {
    const unsigned c = unsigned(*text) & 0xFFu;
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Each spell's state and the window point of its place on the panel.
nlohmann::json SpellsSnapshot(const BvLayout& board, const BvLevelManager* levels) {
  const BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  const auto* panel =
      level ? dynamic_cast<const BvLevelElement*>(level->FindObjectByName("sortgui")) : nullptr;
  nlohmann::json spells = nlohmann::json::array();
  const std::vector<BvSpellRecord>& records = board.GetSpells();
  for (int i = 0; i < int(records.size()); ++i) {
    const BvSpellRecord& record = records[i];
    nlohmann::json item = {{"index", i},
                           {"charge", record.charge},
                           {"ready", record.ready},
                           {"locked", record.locked}};
    if (panel) {
      const irr::core::vector2df place = BvLayout::SpellPlace(panel->GetPosition(), i);
      const irr::core::vector2df window = ToWindow(*levels, place);
      item["x"] = std::lround(window.X);
      item["y"] = std::lround(window.Y);
    }
    spells.push_back(item);
  }
  return spells;
}

// The living monsters: slot, kind, life left (ms) and body rectangle.
nlohmann::json MonstersSnapshot(const BvLayout& board, const BvLevelManager* levels) {
  nlohmann::json monsters = nlohmann::json::array();
  const BvMonsterManager* manager = board.GetMonsters();
  for (int i = 0; manager && i < kMonsterSlots; ++i) {
    const BvMonsterSlot& slot = manager->GetSlot(i);
    if (slot.kind == kMonsterNone || !slot.body) continue;
    nlohmann::json item = {{"slot", i}, {"kind", slot.kind}, {"life", slot.lifeLeft}};
    if (levels) BodyRectangle(*levels, *slot.body, item);
    monsters.push_back(item);
  }
  return monsters;
}

nlohmann::json ProfileSnapshot(const BvProfile* profile) {
  if (!profile) return nullptr;
  // Names are Latin-1 (and any bytes at all in a damaged save).
  return {{"name", bv::Latin1ToUtf8(profile->name)},
          {"world", profile->world},
          {"level", profile->level},
          {"score", profile->score},
          {"matches", profile->matches},
          {"freed", profile->freed},
          {"monstersKilled", profile->monstersKilled},
          {"chainsBroken", profile->chainsBroken},
          {"spellsCast", profile->spellsCast},
          {"completedGames", profile->completedGames},
          {"seenTips", profile->seenTips},
          {"showHints", profile->showHints}};
}

nlohmann::json StatsSnapshot(BvScene* scene) {
  BvLevelStats* stats = scene ? scene->GetLevelStats() : nullptr;
  if (!stats) return nullptr;
  return {{"playSeconds", stats->playSeconds},
          {"matches", stats->matches},
          {"backgroundsCleared", stats->backgroundsCleared},
          {"hintsUsed", stats->hintsUsed},
          {"gaugeLeft", stats->gaugeLeft}};
}

// The texts of the open dialog's level drawn in a font, in the order they
// were made (a picture carrying a text, as the recap's flash, is left out).
nlohmann::json GuiTexts(const BvGame& game) {
  nlohmann::json texts = nlohmann::json::array();
  const BvLevelManager* levels = game.GetGlobalLevels();
  const BvLevel* level = game.GetGuiMode() && levels ? levels->GetCurrentLevel() : nullptr;
  if (!level) return texts;
  for (const auto& entry : level->GetIdIndex()) {
    const auto& element = *static_cast<const BvLevelElement*>(entry.second);
    const wchar_t* text = element.GetText();
    const BvElement* source = element.GetSourceElement();
    if (!text || !*text || !source || source->GetType() != kElementText) continue;
    std::string narrow;
    for (const wchar_t* c = text; *c; ++c) narrow.push_back(*c < 0x80 ? char(*c) : '?');
    texts.push_back(narrow);
  }
  return texts;
}
}  // namespace

nlohmann::json ProbeRect(const BvLevelManager& levels, const BvLevelElement& element) {
  nlohmann::json rect = nlohmann::json::object();
  return BodyRectangle(levels, element, rect) ? rect : nlohmann::json(nullptr);
}

nlohmann::json ProbePoint(const BvLevelManager& levels, const BvLevelElement& element) {
  const irr::core::vector2df at = ToWindow(levels, element.GetPosition());
  return {{"x", std::lround(at.X)}, {"y", std::lround(at.Y)}};
}

nlohmann::json BoardSnapshot(const BvGame& game) {
  const BvLayout* board = game.GetBoard();
  const int scene = game.GetCurrentSceneNumber();
  const bool onBoardScreen = scene >= kSceneFirstBoard && scene < kSceneFirstBoard + BvProfile::kWorldCount;
  if (!board || !onBoardScreen) return nullptr;
  const BvLevelManager* levels = game.GetCurrentLevels();
  nlohmann::json cells = nlohmann::json::array();
  for (int column = 0; column < kBoardColumns; ++column) {
    for (int row = 0; row < kBoardRows; ++row) {
      const BvPiece& cell = board->GetCell(column, row);
      const irr::core::vector2df centre =
          levels ? ToWindow(*levels, CellToScreen(column, row)) : irr::core::vector2df();
      cells.push_back({{"col", column},
                       {"row", row},
                       {"back", cell.background},
                       {"colour", cell.colour},
                       {"present", cell.present},
                       {"motion", cell.motion},
                       {"lock", cell.lockCounter},
                       {"x", std::lround(centre.X)},
                       {"y", std::lround(centre.Y)}});
    }
  }
  return {{"settled", board->IsSettled()},
          {"won", board->IsWon()},
          {"noMoreMoves", board->IsNoMoreMoves()},
          {"swapRunning", board->IsSwapRunning()},
          {"spellRunning", board->IsSpellRunning()},
          {"timeUsed", board->GetTimeUsed()},
          {"selected", {board->GetFirstColumn(), board->GetFirstRow()}},
          {"spells", SpellsSnapshot(*board, levels)},
          {"monsters", MonstersSnapshot(*board, levels)},
          {"cells", cells}};
}

nlohmann::json HiddenSnapshot(const BvGame& game) {
  const auto* scene = dynamic_cast<const BvHiddenScene*>(game.GetCurrentScene());
  const BvLevelManager* levels = game.GetCurrentLevels();
  if (!scene || !levels) return nullptr;
  nlohmann::json items = nlohmann::json::array();
  for (int i = 0; i < scene->GetItemCount(); ++i) {
    const BvHiddenItem& item = scene->GetItem(i);
    nlohmann::json out = {{"found", item.found}, {"hovered", item.hovered}};
    // A found object fades away and is removed: only hidden ones are read.
    if (item.element && !item.found) {
      out["name"] = item.element->GetNameString();
      nlohmann::json rect = nlohmann::json::object();
      if (BodyRectangle(*levels, *item.element, rect)) out["rect"] = rect;
    }
    out["text"] = item.nameText ? Utf8(item.nameText->GetText()) : "";
    items.push_back(out);
  }
  const BvHiddenHint& hint = scene->GetHint();
  int target = -1;
  for (int i = 0; i < scene->GetItemCount(); ++i)
    if (hint.target == &scene->GetItem(i)) target = i;
  return {{"items", items},
          {"hint", {{"ready", hint.ready}, {"countdown", hint.countdown}, {"target", target}}},
          {"hintsUsed", scene->GetStats().hintsUsed},
          {"endShowPhase", scene->GetEndShow().GetPhase()}};
}

BvProbe::BvProbe(std::string path) : m_Path(std::move(path)) {}

std::unique_ptr<BvProbe> BvProbe::FromEnvironment() {
  const char* path = std::getenv(kProbeVariable);
  if (!path || !*path) return nullptr;
  return std::make_unique<BvProbe>(path);
}

nlohmann::json BvProbe::Snapshot(const BvGame& game) {
  nlohmann::json out;
  const BvScene* scene = game.GetCurrentScene();
  out["scene"] = {{"number", game.GetCurrentSceneNumber()},
                  {"state", scene ? scene->GetState() : 0},
                  {"done", scene ? scene->IsDone() : false},
                  {"stats", StatsSnapshot(game.GetCurrentScene())}};
  const BvScene* gui = game.GetGuiMode() ? game.GetGui(game.GetCurrentGui()) : nullptr;
  out["gui"] = {{"number", game.GetCurrentGui()},
                {"mode", game.GetGuiMode()},
                {"state", gui ? gui->GetState() : 0},
                {"texts", GuiTexts(game)}};
  out["profile"] = ProfileSnapshot(game.GetCurrentProfile());
  out["board"] = BoardSnapshot(game);
  out["hidden"] = HiddenSnapshot(game);
  out["screen"] = ScreenSnapshot(game);
  out["sound"] = {{"music", g_SoundManager ? g_SoundManager->GetCurrentMusic() : std::string()},
                  {"musicVolume", g_SoundManager ? g_SoundManager->GetMusicVolume() : 0.0f},
                  {"effectsVolume", g_SoundManager ? g_SoundManager->GetEffectsVolume() : 0.0f}};
  nlohmann::json elements = nlohmann::json::array();
  AddElements(elements, game.GetCurrentLevels(), "scene");
  if (game.GetGuiMode()) AddElements(elements, game.GetGlobalLevels(), "gui");
  out["elements"] = elements;
  out["cursor"] = {{"x", g_System ? g_System->mouseX : 0}, {"y", g_System ? g_System->mouseY : 0}};
  const irr::core::vector2df window = WindowScale();
  out["window"] = {{"w", int(window.X * kFieldWidth)}, {"h", int(window.Y * kFieldHeight)}};
  return out;
}

bool BvProbe::AfterFrame(const BvGame& game) {
  // Every state of the visit is kept, so a state that lasts one frame
  // (the board screen's 1) is seen even when its frame was not written.
  const int scene = game.GetCurrentSceneNumber();
  const BvScene* current = game.GetCurrentScene();
  const int state = current ? current->GetState() : 0;
  if (scene != m_Scene) {
    m_Scene = scene;
    m_States.clear();
  }
  if (m_States.empty() || m_States.back() != state) m_States.push_back(state);
  ++m_Frames;
  m_GameMs += game.GetTimeStepMs();
  nlohmann::json snapshot = Snapshot(game);
  snapshot["scene"]["states"] = m_States;
  // Every text is made UTF-8 above; should one slip through, it is written
  // with replacement characters rather than ending the game.
  const std::string text =
      snapshot.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  // The game's own clock runs on in every frame: a snapshot that differs
  // only there is still written (at the same pace), so a test can count
  // its waits in frames and game time.
  if (m_WroteOnce && text == m_LastWritten && m_Frames == m_FramesWritten) return false;
  bv::Clock& clock = bv::GetClock();
  const int64_t now = clock.Ticks();
  const int64_t perSecond = clock.TicksPerSecond();
  if (m_WroteOnce && perSecond > 0 && (now - m_LastWriteTicks) * 1000 < kMinIntervalMs * perSecond)
    return false;
  snapshot["clock"] = {{"frame", m_Frames}, {"ms", static_cast<int64_t>(m_GameMs)}};
  if (!Write(snapshot.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace))) return false;
  m_FramesWritten = m_Frames;
  m_LastWritten = text;
  m_LastWriteTicks = now;
  m_WroteOnce = true;
  return true;
}

bool BvProbe::Write(const std::string& text) const {
  const std::string temporary = m_Path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text << '\n';
    if (!out.flush()) return false;
  }
  return std::rename(temporary.c_str(), m_Path.c_str()) == 0;
}
