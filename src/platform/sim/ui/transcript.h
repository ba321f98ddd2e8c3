// The transcript of a run: one line for each thing a person would see or do,
// written the same way whichever window backend runs, and flushed as it
// happens so that a watcher can follow a run that is still going.
//
//   elevation: consent|credentials Yes|No
//                                  the prompt before the program starts
//   shown: FORM "caption"          the form's first show, then one line
//   control: NAME "caption"        per control a person can see
//   caption: NAME "text"           later changes
//   enabled|visible|selected: NAME true|false
//   click: NAME                    a person's click
//   msgbox: "TITLE" [OK] critical "TEXT   the text's lines as the box shows
//     MORE TEXT"                         them, each further one after two blanks
//   answer: OK
//   unowned: "TITLE"               a box the program's window does not own
//   unanswered: "TITLE"            a box the script has no answer for
//   ignored: WHY                   a scripted step that could not be played
//   left over: click NAME|answer OK  a scripted step never reached
//   ended: REASON
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

#include "common/quoted_text.h"
#include "platform/api/win_types.h"
#include "platform/sim/ui/widget_observer.h"

namespace lyn::sim {

class Transcript final : public WidgetObserver {
 public:
  explicit Transcript(std::ostream& out) : out_(out) {}

  void OnChanged(const ControlModel& control, Property property) override;
  void OnClicked(const ControlModel& control) override;

  void MessageBox(const std::string& caption, win::UINT type, const std::string& text);
  void Answer(int id);
  void Unowned(const std::string& caption);
  void Unanswered(const std::string& caption);
  void Ignored(const std::string& why);
  void LeftOver(const std::string& step);
  void Elevation(const std::string& prompt, const std::string& answer);
  void Ended(const std::string& reason);

 private:
  void Snapshot(const FormModel& form);
  // The line's text after "control: NAME" or "caption: NAME".
  static std::string Shown(const ControlModel& control);
  // Prints a visible line for each other control that a change took into
  // or out of view: moved, shown, hidden or covered by another.
  void Reconsider(const FormModel& form, const ControlModel& changed);

  std::ostream& out_;
  std::set<const FormModel*> shown_;
  std::map<const ControlModel*, bool> seen_;
};

}  // namespace lyn::sim
