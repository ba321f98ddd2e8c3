#include "platform/sim/ui/script.h"

#include "platform/api/user32.h"
#include "platform/sim/ui/surface_model.h"

namespace lyn::sim {

std::optional<int> ParseAnswer(const std::string& word) {
  if (word == "Yes") return win::IDYES;
  if (word == "No") return win::IDNO;
  if (word == "OK") return win::IDOK;
  return std::nullopt;
}

const char* AnswerName(int id) {
  switch (id) {
    case win::IDYES:
      return "Yes";
    case win::IDNO:
      return "No";
    default:
      return "OK";
  }
}

bool AnswerFits(int id, win::UINT type) {
  if ((type & win::MB_TYPEMASK) == win::MB_YESNO) return id == win::IDYES || id == win::IDNO;
  return id == win::IDOK;
}

std::optional<std::string> RefusedClick(const ControlModel* control, const std::string& name) {
  if (control == nullptr) return "the window has no control named " + name;
  if (control->Clickable()) return std::nullopt;
  for (const ControlModel* c = control; c != nullptr; c = c->Container()) {
    if (!c->Enabled()) return name + " is disabled";
  }
  return name + " is not in view";
}

std::optional<int> ScriptedAnswers::Answer(const std::string&, const std::string&, win::UINT type) {
  if (answers_.empty() && agree_) {
    return (type & win::MB_TYPEMASK) == win::MB_YESNO ? win::IDYES : win::IDOK;
  }
  if (answers_.empty()) return std::nullopt;
  const int id = answers_.front();
  answers_.pop_front();
  return id;
}

}  // namespace lyn::sim
