#pragma once
// BvDialog: a modal dialog driven by a message map, as a dialog procedure
// would drive it: handlers by window-message number, called with the window
// and the message's two parameters. The dialog is presented as a message
// box with buttons (choice_box.h): its labels and radio states are the text,
// its enabled radio buttons and push buttons the buttons. Pressing a radio
// button checks it (and clears its group) before the command reaches the
// handlers, as an automatic radio button does. One dialog exists at a time
// (g_Dialog).
#include <irrlicht.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "engine/shell/dialog_templates.h"

namespace bv {
// Window-message numbers the dialogs handle.
constexpr uint32_t kWmInitDialog = 0x0110;
constexpr uint32_t kWmCommand = 0x0111;
constexpr uint32_t kWmCtlColorDlg = 0x0136;
constexpr uint32_t kWmCtlColorStatic = 0x0138;
// Results of Show.
constexpr intptr_t kDialogOk = 1;
constexpr intptr_t kDialogCancel = 2;
constexpr intptr_t kDialogFailed = -1;
}  // namespace bv

class BvDialog {
 public:
  // window, first parameter, second parameter -> the message's result.
  using Handler = std::function<intptr_t(unsigned long, uintptr_t, intptr_t)>;

  // Takes the template's caption and controls; publishes itself in g_Dialog.
  BvDialog(uint16_t templateId, unsigned long parent);
  // Clears g_Dialog and the window.
  virtual ~BvDialog();
  BvDialog(const BvDialog&) = delete;
  BvDialog& operator=(const BvDialog&) = delete;

  // Virtual operations, in the order the dialogs rely on.
  // The white brush, as a colour.
  virtual irr::video::SColor GetBrush() const;
  // Draws the control's text without background; returns the brush.
  virtual irr::video::SColor OnCtlColor(int controlId);
  // The control with the id; null when there is none.
  virtual BvDialogControl* GetItem(int id);

  // Runs the dialog until a handler ends it: kDialogOk, kDialogCancel, or
  // kDialogFailed without a template.
  intptr_t Show();
  // Replaces the handler of a message.
  void AddHandler(uint32_t message, Handler handler);
  void EndOk() { End(bv::kDialogOk); }
  void EndCancel() { End(bv::kDialogCancel); }

  // The dialog procedure: remembers the first window seen and calls the
  // message's handler; 0 for a message without one.
  intptr_t Dispatch(unsigned long window, uint32_t message, uintptr_t first, intptr_t second);
  // A press on a control: ignored for a missing, disabled or label control;
  // a radio button is checked and its group cleared; then kWmCommand.
  void Press(int id);

  const std::string& GetCaption() const { return caption; }
  void SetCaption(const std::string& text) { caption = text; }
  uint16_t GetTemplateId() const { return templateId; }
  unsigned long GetWindow() const { return window; }
  unsigned long GetParent() const { return parent; }
  // What the message box shows: labels, then each radio's state.
  std::string DescribeControls() const;

 protected:
  void End(intptr_t code);
  // Checks the radio button and clears the others of its group.
  void CheckRadio(int id);

 private:
  std::map<uint32_t, Handler> messageMap;
  uint16_t templateId = 0;
  unsigned long parent = 0;
  irr::video::SColor brush{0xFFFFFFFF};
  unsigned long window = 0;
  std::string caption;
  std::vector<BvDialogControl> controls;
  bool hasTemplate = false;
  bool ended = false;
  intptr_t result = 0;
};

extern BvDialog* g_Dialog;
