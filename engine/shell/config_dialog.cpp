#include "engine/shell/config_dialog.h"

#include "engine/platform/x11_window.h"
#include "engine/shell/system.h"

namespace {

// A screen narrower or lower than this (pixels) gets no window.
constexpr int kMinWindowedScreenWidth = 810;
constexpr int kMinWindowedScreenHeight = 610;
constexpr uintptr_t kLowWord = 0xFFFF;

}  // namespace

BvConfigDialog::BvConfigDialog(unsigned long parent) : BvConfigDialog(bv::kConfigTemplate, parent) {}

BvConfigDialog::BvConfigDialog(uint16_t templateId, unsigned long parent)
    : BvDialog(templateId, parent), screenSize(bv::QueryScreenSize) {
  AddHandler(bv::kWmInitDialog, [this](unsigned long window, uintptr_t first, intptr_t second) {
    return OnInitDialog(window, first, second);
  });
  AddHandler(bv::kWmCommand, [this](unsigned long window, uintptr_t first, intptr_t second) {
    return OnCommand(window, first, second);
  });
}

intptr_t BvConfigDialog::OnInitDialog(unsigned long, uintptr_t, intptr_t) {
  // The message box brings no icon of its own and is centred by SDL.
  int width = 0;
  int height = 0;
  const bool small = screenSize && screenSize(&width, &height) &&
                     (width < kMinWindowedScreenWidth || height < kMinWindowedScreenHeight);
  if (small) {
    CheckRadio(bv::kControlFullScreen);
    if (BvDialogControl* window = GetItem(bv::kControlWindow)) window->enabled = false;
  } else {
    CheckRadio(bv::kControlWindow);
  }
  return 1;
}

intptr_t BvConfigDialog::OnCommand(unsigned long, uintptr_t first, intptr_t) {
  const int control = static_cast<int>(first & kLowWord);
  if (control == bv::kControlPlay) {
    const BvDialogControl* window = GetItem(bv::kControlWindow);
    fullScreen = window != nullptr && window->checked ? 0 : 1;
    driverType = bv::kDriverDirect3D8;
    StoreLanguage();
    EndOk();
    return 1;
  }
  if (control == bv::kControlQuit) {
    EndCancel();
    return 1;
  }
  return 0;
}
