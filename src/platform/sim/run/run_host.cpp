#include "platform/sim/run/run_host.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>

namespace lyn::sim {

void RunHost::ExitNow(int code) {
  std::cout.flush();
  const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  if (!written) {
    std::cerr << "lynsim: cannot write to standard output: " << std::strerror(errno) << "\n";
    code = kRunFailed;
  }
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(code);
}

void RunHost::Attach(const WidgetSet& widgets, MessageBoxAnswerer& answerer,
                     std::function<void()> removeWindows,
                     const std::vector<std::string>* notCopied) {
  widgets_ = &widgets;
  answerer_ = &answerer;
  removeWindows_ = std::move(removeWindows);
  notCopied_ = notCopied;
}

int RunHost::MessageBox(win::HWND owner, const std::string& text, const std::string& caption,
                        win::UINT type) {
  transcript_.MessageBox(caption, type, text);
  lastBox_ = caption;
  FormModel* form = widgets_->FindForm(owner);
  if (form == nullptr && !widgets_->Forms().empty()) transcript_.Unowned(caption);
  // The owner takes no input while the box is up, and gets it back after.
  const bool ownerEnabled = form != nullptr && form->Enabled();
  if (form != nullptr) form->SetEnabled(false);
  const auto answer = answerer_->Answer(text, caption, type);
  boxes_.push_back(ShownBox{caption, text, type, answer});
  if (!answer) {
    transcript_.Unanswered(caption);
    Misfit("");
  }
  if (ownerEnabled) form->SetEnabled(true);
  if (!AnswerFits(*answer, type)) {
    Misfit("answer " + std::string(AnswerName(*answer)) + ": the box " + Quoted(caption) +
           " has no such button");
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
  End(ReasonForEnd(exitCode), kRunEnded);
}

bool RunHost::ReportLeftOver() {
  bool any = false;
  for (const std::string& click : widgets_->Loop().ClicksLeft()) {
    transcript_.LeftOver("click " + click);
    any = true;
  }
  for (const int answer : answerer_->AnswersLeft()) {
    transcript_.LeftOver("answer " + std::string(AnswerName(answer)));
    any = true;
  }
  return any;
}

void RunHost::Misfit(const std::string& why) {
  if (!why.empty()) transcript_.Ignored(why);
  ReportLeftOver();
  Leave("script does not fit", kRunMisfit);
}

void RunHost::End(const std::string& reason, int code) {
  if (code == kRunMisfit) Misfit(reason);
  if (code == kRunEnded && ReportLeftOver()) code = kRunMisfit;
  Leave(reason, code);
}

void RunHost::Leave(const std::string& reason, int code) {
  // A failure while leaving (the machine's disk is full) ends the run once,
  // as failed, without a second ending.
  if (leaving_) {
    exit_(kRunFailed);
    std::abort();
  }
  leaving_ = true;
  // The windows go first, so that the ending told carries the status the
  // process leaves with.
  try {
    if (removeWindows_) removeWindows_();
  } catch (const std::exception& e) {
    std::cerr << "lynsim: " << e.what() << "\n";
    code = kRunFailed;
  }
  transcript_.Ended(reason);
  if (ended_) ended_(RunEnding{reason, code, widgets_, &boxes_, notCopied_});
  exit_(code);
  std::abort();
}

}  // namespace lyn::sim
