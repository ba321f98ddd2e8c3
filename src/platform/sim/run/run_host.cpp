#include "platform/sim/run/run_host.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace lyn::sim {

void RunHost::ExitNow(int code) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(code);
}

void RunHost::Attach(const WidgetSet& widgets, MessageBoxAnswerer& answerer,
                     std::function<void()> removeWindows) {
  widgets_ = &widgets;
  answerer_ = &answerer;
  removeWindows_ = std::move(removeWindows);
}

int RunHost::MessageBox(const std::string& text, const std::string& caption, win::UINT type) {
  transcript_.MessageBox(caption, type, text);
  lastBox_ = caption;
  const auto answer = answerer_->Answer(text, caption, type);
  if (!answer) {
    transcript_.Unanswered(caption);
    End("exit 3", 3);
  }
  if (!AnswerFits(*answer, type)) {
    std::cerr << "lynsim: the answer " << AnswerName(*answer) << " does not fit the message box "
              << Quoted(caption) << "\n";
    End("exit 2", 2);
  }
  transcript_.Answer(*answer);
  return *answer;
}

void RunHost::SetTopmost(win::HWND window) {
  if (FormModel* form = widgets_->FindForm(window)) form->SetTopmost();
}

void RunHost::OnClicked(const ControlModel&) {
  lastBox_.clear();
}

std::string RunHost::ReasonForEnd(win::UINT exitCode) const {
  for (const auto& form : widgets_->Forms()) {
    if (form->Closed()) return "window closed";
  }
  if (!lastBox_.empty()) return lastBox_;
  const ControlModel* click = widgets_->RunningClick();
  if (click != nullptr && click->Kind() == ui::Kind::CommandButton) return click->Caption();
  if (widgets_->Forms().empty()) return "previous instance";
  return "exit " + std::to_string(exitCode);
}

void RunHost::EndProcess(win::UINT exitCode) {
  End(ReasonForEnd(exitCode), static_cast<int>(exitCode));
}

void RunHost::End(const std::string& reason, int code) {
  transcript_.Ended(reason);
  if (removeWindows_) removeWindows_();
  exit_(code);
  std::abort();
}

}  // namespace lyn::sim
