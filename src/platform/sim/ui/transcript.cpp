#include "platform/sim/ui/transcript.h"

#include "platform/api/user32.h"
#include "platform/sim/ui/form_model.h"
#include "platform/sim/ui/script.h"

namespace lyn::sim {

namespace {

const char* Bool(bool value) {
  return value ? "true" : "false";
}

// A text box shows its first line here, with "..." when there is more.
std::string FirstLine(const std::string& text) {
  const auto end = text.find_first_of("\r\n");
  return end == std::string::npos ? text : text.substr(0, end) + "...";
}

}  // namespace

std::string Transcript::Shown(const ControlModel& control) {
  switch (control.Kind()) {
    case ui::Kind::Image:
    case ui::Kind::PictureBox:
      return "picture";
    case ui::Kind::TextBox:
      return Quoted(FirstLine(control.Caption()));
    default:
      return Quoted(control.Caption());
  }
}

void Transcript::Snapshot(const FormModel& form) {
  shown_.insert(&form);
  out_ << "shown: " << form.Name() << " " << Quoted(form.Caption()) << "\n";
  for (const auto& control : form.Controls()) {
    const bool seen = control->SeenByPerson();
    seen_[control.get()] = seen;
    if (!seen) continue;
    out_ << "control: " << control->Name() << " " << Shown(*control);
    if (!control->Enabled()) out_ << " disabled";
    if (control->Kind() == ui::Kind::OptionButton && control->Value()) out_ << " selected";
    out_ << "\n";
  }
}

void Transcript::Reconsider(const FormModel& form, const ControlModel& changed) {
  for (const auto& control : form.Controls()) {
    if (control.get() == &changed || control->Kind() == ui::Kind::Timer) continue;
    const bool seen = control->SeenByPerson();
    auto [entry, added] = seen_.try_emplace(control.get(), seen);
    if (added || entry->second == seen) continue;
    entry->second = seen;
    out_ << "visible: " << control->Name() << " " << Bool(seen) << "\n";
  }
}

void Transcript::OnChanged(const ControlModel& control, Property property) {
  const FormModel& form = control.Form();
  if (!shown_.contains(&form)) {
    if (&control == &form && property == Property::Visible && form.Visible()) Snapshot(form);
    out_.flush();
    return;
  }
  if (control.Kind() == ui::Kind::Timer) return;
  switch (property) {
    case Property::Caption:
      out_ << "caption: " << control.Name() << " " << Shown(control) << "\n";
      break;
    case Property::Enabled:
      // A form is disabled only while a message box it owns is up.
      if (&control == &form) break;
      out_ << "enabled: " << control.Name() << " " << Bool(control.Enabled()) << "\n";
      break;
    case Property::Visible:
      seen_[&control] = control.SeenByPerson();
      out_ << "visible: " << control.Name() << " " << Bool(control.Visible()) << "\n";
      Reconsider(form, control);
      break;
    case Property::Value:
      if (control.Kind() == ui::Kind::OptionButton) {
        out_ << "selected: " << control.Name() << " " << Bool(control.Value()) << "\n";
      }
      break;
    case Property::Geometry:
    case Property::Container: {
      const bool seen = control.SeenByPerson();
      auto [entry, added] = seen_.try_emplace(&control, seen);
      if (!added && entry->second != seen) {
        entry->second = seen;
        out_ << "visible: " << control.Name() << " " << Bool(seen) << "\n";
      }
      Reconsider(form, control);
      break;
    }
    default:
      break;
  }
  out_.flush();
}

void Transcript::OnClicked(const ControlModel& control) {
  out_ << "click: " << control.Name() << "\n" << std::flush;
}

void Transcript::MessageBox(const std::string& caption, win::UINT type, const std::string& text) {
  out_ << "msgbox: " << Quoted(caption)
       << ((type & win::MB_TYPEMASK) == win::MB_YESNO ? " [Yes/No]" : " [OK]");
  if ((type & win::MB_ICONMASK) == win::MB_ICONSTOP) out_ << " critical";
  out_ << " " << Quoted(text, true) << "\n" << std::flush;
}

void Transcript::Answer(int id) {
  out_ << "answer: " << AnswerName(id) << "\n" << std::flush;
}

void Transcript::Unowned(const std::string& caption) {
  out_ << "unowned: " << Quoted(caption) << "\n" << std::flush;
}

void Transcript::Unanswered(const std::string& caption) {
  out_ << "unanswered: " << Quoted(caption) << "\n" << std::flush;
}

void Transcript::Ignored(const std::string& why) {
  out_ << "ignored: " << why << "\n" << std::flush;
}

void Transcript::LeftOver(const std::string& step) {
  out_ << "left over: " << step << "\n" << std::flush;
}

void Transcript::Elevation(const std::string& prompt, const std::string& answer) {
  out_ << "elevation: " << prompt << " " << answer << "\n" << std::flush;
}

void Transcript::Ended(const std::string& reason) {
  out_ << "ended: " << reason << "\n" << std::flush;
}

}  // namespace lyn::sim
