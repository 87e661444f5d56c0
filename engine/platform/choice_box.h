#pragma once
// A message box with buttons, for the configuration dialogs. It follows the
// message boxes' mode (message_box.h): an SDL message box only in
// Interactive mode; Stderr prints it and presses the default button; Capture
// keeps it for tests and presses the next queued answer, else the default.
// Texts are UTF-8.
#include <string>
#include <vector>

namespace bv {

struct ChoiceButton {
  // What pressing the button answers.
  int id = 0;
  std::string label;
};

struct ShownChoice {
  std::string caption;
  std::string text;
  std::vector<ChoiceButton> buttons;
};

// Shows the box and returns the id of the button pressed. Enter presses
// defaultId; Escape or closing the box answers cancelId.
int ShowChoiceBox(const std::string& caption, const std::string& text,
                  const std::vector<ChoiceButton>& buttons, int defaultId, int cancelId);

// Capture mode: the answers of the next boxes, in order.
void QueueChoiceAnswers(const std::vector<int>& ids);
// The boxes shown since the last clear, oldest first (every mode), and the
// queued answers dropped too.
const std::vector<ShownChoice>& ShownChoices();
void ClearShownChoices();

}  // namespace bv
