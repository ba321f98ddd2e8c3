// The real widget set: forms made of the platform's windows and standard
// controls, and the platform's message loop, with the forms' own keyboard
// handling (Tab, arrows).
#pragma once

#include <memory>
#include <vector>

#include "platform/api/widgets.h"
#include "platform/win32/ui/form_win32.h"

namespace lyn::win32 {

class Win32Widgets final : public ui::Widgets {
 public:
  ui::Form& CreateForm(const ui::ControlDesign& design, int clientWidth, int clientHeight) override;
  void RunMessageLoop() override;
  void DoEvents() override;
  void SetMousePointer(int pointer) override;

  // A form's window was destroyed; the loop ends with the last one.
  void FormClosed();

 private:
  void Dispatch(MSG& message);

  std::vector<std::unique_ptr<Win32Form>> forms_;
  int openForms_ = 0;
};

}  // namespace lyn::win32
