// What a headless run does in place of a person: the controls to click, in
// order, the answers to the message boxes, in order, and how long to stay in
// the message loop once the clicks are done.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/api/win_types.h"

namespace lyn::sim {

class ControlModel;

// The exit statuses of a run.
inline constexpr int kRunEnded = 0;       // the program ended itself, or the script was played out
inline constexpr int kRunFailed = 1;      // the machine, the host or the program failed
inline constexpr int kRunMisfit = 3;      // the script did not fit what the program showed
inline constexpr int kRunNotStarted = 4;  // Windows did not start the program

struct Script {
  std::vector<std::string> clicks;
  std::vector<int> answers;  // IDOK, IDYES or IDNO
  int holdSeconds = 0;
  // Once the answers are given, every further box is answered Yes, or OK
  // when it has no Yes.
  bool agree = false;
};

// "Yes", "No" or "OK" as the message box result; nothing for another word.
std::optional<int> ParseAnswer(const std::string& word);
// The word for a message box result: "Yes", "No" or "OK".
const char* AnswerName(int id);
// Whether a message box of this type can return the answer.
bool AnswerFits(int id, win::UINT type);

// Why a scripted click on the control named `name` cannot be played, as the
// transcript says it ("cmdOK is disabled"), or nothing when a person could
// click it. `control` is null when the window has no such control.
std::optional<std::string> RefusedClick(const ControlModel* control, const std::string& name);

// Who answers the message boxes of a run.
class MessageBoxAnswerer {
 public:
  virtual ~MessageBoxAnswerer() = default;
  // The button chosen, or nothing when no answer can be given.
  virtual std::optional<int> Answer(const std::string& text, const std::string& caption,
                                    win::UINT type) = 0;
  // The scripted answers not given yet.
  virtual std::vector<int> AnswersLeft() const = 0;
};

// Gives the script's answers in order, whatever the box says; then, when it
// agrees, Yes or OK.
class ScriptedAnswers final : public MessageBoxAnswerer {
 public:
  explicit ScriptedAnswers(const std::vector<int>& answers, bool agree = false)
      : answers_(answers.begin(), answers.end()), agree_(agree) {}

  std::optional<int> Answer(const std::string& text, const std::string& caption,
                            win::UINT type) override;
  std::vector<int> AnswersLeft() const override { return {answers_.begin(), answers_.end()}; }

 private:
  std::deque<int> answers_;
  bool agree_;
};

}  // namespace lyn::sim
