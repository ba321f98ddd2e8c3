#include "platform/sim/ui/widget_set.h"

#include <stdexcept>

namespace lyn::sim {

ui::Form& WidgetSet::CreateForm(const ui::ControlDesign& design, int clientWidth,
                                int clientHeight) {
  forms_.push_back(
      std::make_unique<FormModel>(design, clientWidth, clientHeight, observers_, windows_));
  observers_.OnControlAdded(*forms_.back());
  return *forms_.back();
}

EventLoop& WidgetSet::Loop() const {
  if (loop_ == nullptr) throw std::logic_error("the widget set has no message loop");
  return *loop_;
}

void WidgetSet::RunMessageLoop() {
  if (HasOpenForms()) Loop().Run();
}

void WidgetSet::DoEvents() {
  Loop().DoEvents();
}

ControlModel* WidgetSet::Find(const std::string& name) const {
  for (const auto& form : forms_) {
    if (auto* control = form->Find(name)) return control;
  }
  return nullptr;
}

FormModel* WidgetSet::FindForm(win::HWND window) const {
  for (const auto& form : forms_) {
    if (form->hWnd() == window) return form.get();
  }
  return nullptr;
}

bool WidgetSet::HasOpenForms() const {
  for (const auto& form : forms_) {
    if (!form->Closed()) return true;
  }
  return false;
}

const ControlModel* WidgetSet::RunningClick() const {
  for (const auto& form : forms_) {
    if (const auto* control = form->RunningClick()) return control;
  }
  return nullptr;
}

}  // namespace lyn::sim
