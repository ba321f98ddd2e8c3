// The window system's modal message box on Linux: a dialog with the box's
// title, its text, the critical icon when asked for, and OK or Yes and No.
#pragma once

#include <FL/Fl_Window.H>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/api/win_types.h"
#include "platform/sim/ui/script.h"

namespace lyn::sim::fltk {

// Called with a box the script has no answer for once it is on the screen;
// it pictures the box and hides it, and the box stays unanswered.
using LastBoxFunction = std::function<void(Fl_Window& dialog)>;

// Shows the box and waits for a button. With `autoAnswer` the dialog presses
// that button itself after a short delay; with `lastBox` set instead, that
// is called once the box is drawn. Closing an OK box answers OK; a Yes/No box
// cannot be closed without an answer.
int ShowMessageDialog(const std::string& text, const std::string& caption, win::UINT type,
                      std::optional<int> autoAnswer, const LastBoxFunction& lastBox = {});

// Answers message boxes with the script's answers, in order, each pressed on
// the dialog. When the script has no answer left, a person answers in an
// interactive run; in a scripted run the box stays unanswered, or, when
// `lastBox` is set (a screenshot is wanted), it is shown and handed to it
// first.
class DialogAnswerer final : public MessageBoxAnswerer {
 public:
  DialogAnswerer(const std::vector<int>& answers, bool interactive, LastBoxFunction lastBox = {})
      : answers_(answers.begin(), answers.end()),
        interactive_(interactive),
        lastBox_(std::move(lastBox)) {}

  std::optional<int> Answer(const std::string& text, const std::string& caption,
                            win::UINT type) override;
  std::vector<int> AnswersLeft() const override { return {answers_.begin(), answers_.end()}; }

 private:
  std::deque<int> answers_;
  bool interactive_;
  LastBoxFunction lastBox_;
};

}  // namespace lyn::sim::fltk
