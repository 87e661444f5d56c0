#include "engine/shell/dialog.h"

#include "engine/platform/choice_box.h"
#include "engine/platform/message_box.h"

BvDialog* g_Dialog = nullptr;

namespace {

// The window handle a shown dialog gives its procedure (there is no native
// window behind the message box).
constexpr unsigned long kDialogWindow = 1;
// The command's control id is the low word of the first parameter.
constexpr uintptr_t kLowWord = 0xFFFF;

}  // namespace

BvDialog::BvDialog(uint16_t id, unsigned long parentWindow) : templateId(id), parent(parentWindow) {
  if (const BvDialogTemplate* layout = bv::FindDialogTemplate(id)) {
    caption = layout->caption;
    controls = layout->controls;
    hasTemplate = true;
  }
  g_Dialog = this;
}

BvDialog::~BvDialog() {
  if (g_Dialog == this) g_Dialog = nullptr;
  window = 0;
}

irr::video::SColor BvDialog::GetBrush() const { return brush; }

irr::video::SColor BvDialog::OnCtlColor(int controlId) {
  if (BvDialogControl* control = GetItem(controlId)) control->transparent = true;
  return brush;
}

BvDialogControl* BvDialog::GetItem(int id) {
  for (BvDialogControl& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

void BvDialog::AddHandler(uint32_t message, Handler handler) { messageMap[message] = std::move(handler); }

void BvDialog::End(intptr_t code) {
  result = code;
  ended = true;
}

intptr_t BvDialog::Dispatch(unsigned long fromWindow, uint32_t message, uintptr_t first,
                            intptr_t second) {
  if (window == 0) window = fromWindow;
  auto found = messageMap.find(message);
  if (found == messageMap.end()) return 0;
  return found->second(fromWindow, first, second);
}

void BvDialog::CheckRadio(int id) {
  BvDialogControl* chosen = GetItem(id);
  if (chosen == nullptr) return;
  for (BvDialogControl& control : controls) {
    if (control.kind == BvControlKind::Radio && control.group == chosen->group) {
      control.checked = false;
    }
  }
  chosen->checked = true;
}

void BvDialog::Press(int id) {
  BvDialogControl* control = GetItem(id);
  if (control == nullptr || !control->enabled || control->kind == BvControlKind::Label) return;
  if (control->kind == BvControlKind::Radio) CheckRadio(id);
  Dispatch(kDialogWindow, bv::kWmCommand, static_cast<uintptr_t>(id) & kLowWord, 0);
}

std::string BvDialog::DescribeControls() const {
  std::string text;
  for (const BvDialogControl& control : controls) {
    if (control.kind == BvControlKind::Label) {
      text += control.text + "\n";
    } else if (control.kind == BvControlKind::Radio) {
      text += std::string(control.checked ? "(*) " : "( ) ") + control.text + "\n";
    }
  }
  return text;
}

intptr_t BvDialog::Show() {
  if (!hasTemplate) return bv::kDialogFailed;
  ended = false;
  result = 0;
  Dispatch(kDialogWindow, bv::kWmInitDialog, 0, 0);
  while (!ended) {
    // What painting asks of a dialog: its background, then each label's.
    Dispatch(kDialogWindow, bv::kWmCtlColorDlg, 0, 0);
    for (const BvDialogControl& control : controls) {
      if (control.kind == BvControlKind::Label) {
        Dispatch(kDialogWindow, bv::kWmCtlColorStatic, 0, control.id);
      }
    }
    std::vector<bv::ChoiceButton> buttons;
    for (const BvDialogControl& control : controls) {
      if (control.kind != BvControlKind::Label && control.enabled) {
        buttons.push_back({control.id, control.text});
      }
    }
    const int pressed = bv::ShowChoiceBox(caption, DescribeControls(), buttons,
                                          bv::kControlPlay, bv::kControlQuit);
    Press(pressed);
    // Without a player to answer, a default press that ends nothing would
    // repeat for ever.
    if (!ended && pressed == bv::kControlPlay &&
        bv::GetMessageBoxMode() != bv::MessageBoxMode::Interactive) {
      EndCancel();
    }
  }
  return result;
}
