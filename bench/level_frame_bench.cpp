// Frame cost of the level runtime: a level of 400 animated image elements in
// 8 layers, 150 of them dynamic bodies held by the field's borders, run for
// 2000 frames at the fixed 75 Hz time step. Prints the mean and 99th
// percentile CPU time per frame (process CPU time, so a software GL's worker
// threads count) for update, physics and draw, and for the whole layer pass,
// beside the 75 Hz frame budget. Runs with the NULL driver, then with OpenGL
// when DISPLAY is set (under Xvfb: software GL), once drawing every quad on
// its own and once batched, and prints the two side by side.
//
// Every element carries a fade-in and one motion or mouse behaviour (sine,
// cosine, rotation, mouse-over grow in turn); "--bare" leaves them out.
// Blend, colour alpha and scale change from one element to the next in
// drawing order, so few neighbours share a material; "--grouped" gives each
// layer one of them instead (as a board's layers are), so that runs of
// quads are long.
//
// The process keeps freed memory as the game does (see memory_reuse.h).
//
// With QV_BENCH_SHOT=<file.png> the last OpenGL frame of the pass is saved
// (read from the back buffer before the frame ends).
//
//   level_frame_bench [frames] [--bare] [--grouped]
#include <GL/gl.h>
#include <irrlicht.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/input_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/registries.h"
#include "engine/platform/memory_reuse.h"
#include "engine/platform/message_box.h"
#include "engine/resources/image.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/sprite.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"
#include "bench/frame_stats.h"

namespace {

constexpr int kElements = 400;
constexpr int kDynamicBodies = 150;
constexpr int kDefaultFrames = 2000;
constexpr float kRefreshHz = 75.0f;
constexpr float kStepMs = 1000.0f / kRefreshHz;
// Animation frames of the sheet, each kFrameSize pixels square.
constexpr int kAnimFrames = 8;
constexpr int kFrameSize = 32;

using bench::CpuMs;
using bench::Stats;
using bench::Summarise;

// The sheet: kAnimFrames soft discs of different colours, so the alpha
// blend does real work and the additive ones glow.
void AddSheetTexture(irr::video::IVideoDriver* driver) {
  const irr::u32 w = kAnimFrames * kFrameSize, h = kFrameSize;
  irr::video::IImage* image =
      driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(w, h));
  for (irr::u32 y = 0; y < h; ++y)
    for (irr::u32 x = 0; x < w; ++x) {
      const irr::u32 frame = x / kFrameSize;
      const int dx = int(x % kFrameSize) - kFrameSize / 2, dy = int(y) - kFrameSize / 2;
      const int alpha = std::max(0, 255 - (dx * dx + dy * dy) * 255 / (kFrameSize * kFrameSize / 4));
      // Colour fades with alpha, as glow art is drawn on black.
      const irr::u32 a = irr::u32(alpha);
      image->setPixel(x, y, irr::video::SColor(a, (40 + frame * 25) * a / 255,
                                               (200 - frame * 20) * a / 255,
                                               (100 + frame * 10) * a / 255));
    }
  driver->addTexture("bench-sheet.png", image);
  image->drop();
}

// Scene resources and one level with borders and the benchmark's elements.
BvLevel* BuildLevel(BvLevelManager& manager, bool behaviours, bool grouped) {
  auto* image = new BvImage("sheet");
  image->SetFileName("bench-sheet.png");
  manager.GetImages()->AddObject(image);
  auto* anim = new BvAnimElement("anim");
  anim->SetAnimSpeed(10.0f);
  anim->SetAnimType(1);
  for (int f = 0; f < kAnimFrames; ++f) {
    auto* sprite = new BvSprite(("frame" + std::to_string(f)).c_str());
    sprite->SetImage(image);
    sprite->SetSourceRect(f * kFrameSize, 0, (f + 1) * kFrameSize, kFrameSize);
    manager.GetSprites()->AddObject(sprite);
    anim->AddFrame(sprite);
  }
  anim->SetShapeType(kShapeCircle);
  anim->SetRadius(kFrameSize * 0.25f);
  manager.GetElements()->AddObject(anim);
  manager.LoadImageTextures();

  auto* level = new BvLevel("bench");
  manager.GetLevels()->AddObject(level);
  CreateBorders(level, &manager);
  for (int i = 0; i < kElements; ++i) {
    BvLevelElement* e = CreateLevelElement(
        &manager, irr::core::vector2df(float((i * 37) % 760 - 380), float((i * 53) % 560 - 280)),
        "anim", 0.0f);
    if (!e) continue;
    const int layer = i % kLayerCount;
    e->SetLayer(layer);
    e->SetFrame(i % kAnimFrames);
    e->SetRotation(float(i % 12) * 0.5f);
    // The element's index, or with --grouped its layer, picks the variant.
    const int pick = grouped ? layer : i;
    e->SetScale(pick % 3 == 0 ? 1.0f : 0.75f, pick % 3 == 0 ? 1.0f : 0.75f);
    e->SetFlipX(i % 4 == 1);
    if (pick % 5 == 0) e->SetBlitMode(kBlitAdditive);
    if (pick % 7 == 0) e->SetColor(irr::video::SColor(160, 255, 255, 255));
    if (i < kDynamicBodies) {
      e->SetDynType(2);
      e->SetGravity(true);
      e->SetCollision(true);
      e->SetVelocity(float(i % 9) - 4.0f, 0.0f);
    } else {
      e->SetDynType(-1);
    }
    if (!behaviours) continue;
    switch (i % 4) {
      case 0: e->AddBehavior(new BvSinusYBehavior(20.0f, 500.0f, float(i))); break;
      case 1: e->AddBehavior(new BvCosinusXBehavior(20.0f, 500.0f, float(i))); break;
      case 2: e->AddBehavior(new BvRotateBehavior(100.0f)); break;
      default: e->AddBehavior(new BvMouseOverGrowBehavior(1.2f, 20.0f, nullptr)); break;
    }
    e->AddBehavior(new BvFadeInBehavior(20.0f, 0.0f));
  }
  return level;
}

// Saves the back buffer (800 by 600) as an image file.
void SaveBackBuffer(irr::video::IVideoDriver* driver, const char* path) {
  constexpr int w = 800, h = 600;
  std::vector<unsigned char> rgba(size_t(w) * h * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  irr::video::IImage* image =
      driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(w, h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = &rgba[(size_t(h - 1 - y) * w + x) * 4];
      image->setPixel(irr::u32(x), irr::u32(y), irr::video::SColor(255, p[0], p[1], p[2]));
    }
  if (!driver->writeImageToFile(image, path)) std::fprintf(stderr, "could not write %s\n", path);
  image->drop();
}

struct Result {
  Stats update, physics, draw, pass;
  int drawn = 0;
  int bodies = 0;
};

Result Run(irr::video::E_DRIVER_TYPE type, int frames, bool behaviours, bool grouped,
           bool batched) {
  Result result;
  bv::SetQuadBatching(batched);
  irr::SIrrlichtCreationParameters params;
  params.DriverType = type;
  params.WindowSize = irr::core::dimension2du(800, 600);
  params.Bits = 32;
  params.Vsync = false;
  params.LoggingLevel = irr::ELL_NONE;
  irr::IrrlichtDevice* device = irr::createDeviceEx(params);
  if (!device) {
    result.drawn = -1;
    return result;
  }
  g_Device = device;
  g_Driver = device->getVideoDriver();
  g_TextureManager = new BvTextureManager();
  AddSheetTexture(g_Driver);

  const bool windowed = type != irr::video::EDT_NULL;
  std::vector<double> update, physics, draw, pass;
  {
    BvLevelManager manager(nullptr, true);
    BvLevel* level = BuildLevel(manager, behaviours, grouped);
    // Phases one after another, as the pass runs them per element.
    std::vector<BvLevelElement*> order;
    for (int layer = 0; layer < kLayerCount; ++layer)
      for (const auto& entry : level->GetIdIndex()) {
        auto* e = static_cast<BvLevelElement*>(entry.second);
        if (e->GetLayer() == layer) order.push_back(e);
      }
    result.drawn = int(order.size());
    for (BvLevelElement* e : order) e->Update(kStepMs);  // bodies are made here
    for (BvLevelElement* e : order) result.bodies += e->GetBody() ? 1 : 0;
    for (int f = 0; f < frames; ++f) {
      if (windowed) device->run();
      const double t0 = CpuMs();
      manager.GetCamera()->Update(kStepMs);
      manager.StepWorld(kStepMs);
      const double t1 = CpuMs();
      for (BvLevelElement* e : order) e->Update(kStepMs);
      const double t2 = CpuMs();
      g_Driver->beginScene(true, false, irr::video::SColor(255, 20, 20, 40));
      for (BvLevelElement* e : order) manager.RenderLevelElement(e);
      bv::FlushQuads(g_Driver);
      g_Driver->endScene();
      const double t3 = CpuMs();
      physics.push_back(t1 - t0);
      update.push_back(t2 - t1);
      draw.push_back(t3 - t2);
    }
    // The manager's own pass (update and draw interleaved), same frames.
    for (int f = 0; f < frames; ++f) {
      if (windowed) device->run();
      const double t0 = CpuMs();
      g_Driver->beginScene(true, false, irr::video::SColor(255, 20, 20, 40));
      manager.RenderCurrentLevel(kStepMs, false, false);
      bv::FlushQuads(g_Driver);
      const char* shot = std::getenv("QV_BENCH_SHOT");
      if (windowed && shot && f == frames - 1) SaveBackBuffer(g_Driver, shot);
      g_Driver->endScene();
      pass.push_back(CpuMs() - t0);
    }
  }
  delete g_TextureManager;
  g_TextureManager = nullptr;
  device->drop();
  g_Device = nullptr;
  g_Driver = nullptr;
  result.update = Summarise(update);
  result.physics = Summarise(physics);
  result.draw = Summarise(draw);
  result.pass = Summarise(pass);
  return result;
}

struct Row {
  const char* name;
  Stats Result::*stats;
};
constexpr Row kRows[] = {{"update", &Result::update},
                         {"physics", &Result::physics},
                         {"draw", &Result::draw},
                         {"pass", &Result::pass}};

void Print(const char* driver, const Result& r) {
  if (r.drawn < 0) {
    std::printf("%-8s no device\n", driver);
    return;
  }
  std::printf("%-8s %d level elements (borders included), %d bodies\n", driver, r.drawn, r.bodies);
  std::printf("%-8s %-8s %9s %9s %10s\n", "driver", "phase", "mean", "p99", "p99/budget");
  for (const Row& row : kRows) {
    const Stats& s = r.*row.stats;
    std::printf("%-8s %-8s %9.3f %9.3f %9.1f%%\n", driver, row.name, s.mean, s.p99,
                100.0 * s.p99 / kStepMs);
  }
}

// The same figures of two runs, quad by quad and batched, with the ratio of
// the means.
void PrintSideBySide(const char* driver, const Result& single, const Result& batched) {
  if (single.drawn < 0 || batched.drawn < 0) {
    std::printf("%-8s no device\n", driver);
    return;
  }
  std::printf("%-8s %d level elements (borders included), %d bodies\n", driver, batched.drawn,
              batched.bodies);
  std::printf("%-8s %-8s %21s %21s %10s\n", "", "", "unbatched mean / p99", "batched mean / p99",
              "batched/un");
  for (const Row& row : kRows) {
    const Stats& a = single.*row.stats;
    const Stats& b = batched.*row.stats;
    std::printf("%-8s %-8s %10.3f %10.3f %10.3f %10.3f %9.2fx\n", driver, row.name, a.mean,
                a.p99, b.mean, b.p99, a.mean > 0.0 ? b.mean / a.mean : 0.0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bv::KeepFreedMemoryForReuse();
  int frames = kDefaultFrames;
  bool behaviours = true;
  bool grouped = false;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--bare")
      behaviours = false;
    else if (word == "--grouped")
      grouped = true;
    else
      frames = std::max(1, std::atoi(argv[i]));
  }
  bv::SetMessageBoxMode(bv::MessageBoxMode::Stderr);
  std::printf("level frame benchmark: %d elements in %d layers, %d dynamic bodies, %d frames "
              "at %.3f ms, %s, materials %s\n",
              kElements, kLayerCount, kDynamicBodies, frames, kStepMs,
              behaviours ? "with behaviours" : "without behaviours",
              grouped ? "grouped by layer" : "changing from element to element");
  std::printf("frame budget at %.0f Hz: %.3f ms (CPU time per frame, milliseconds)\n",
              kRefreshHz, kStepMs);
  Print("null", Run(irr::video::EDT_NULL, frames, behaviours, grouped, true));
  if (std::getenv("DISPLAY")) {
    const Result single = Run(irr::video::EDT_OPENGL, frames, behaviours, grouped, false);
    const Result batched = Run(irr::video::EDT_OPENGL, frames, behaviours, grouped, true);
    PrintSideBySide("opengl", single, batched);
  } else {
    std::printf("opengl   skipped: no DISPLAY (run under xvfb-run)\n");
  }
  return 0;
}
