// windriver: drives LYNSetup.exe on real Windows (or Wine) as a person
// would and prints what that person sees, in the transcript lines of the
// emulated machine's headless runs, so that the two can be compared.
//
//   windriver PROGRAM [--beside] [--hold] [--phases] [--keys-in-run]
//                     [--answer Yes|No|OK]... [--click NAME | --keys]...
//
// Message boxes take the answers in order; the window takes the clicks in
// order once it is shown. A box must be owned by the program's window, which
// is disabled while the box is up; otherwise "unowned: TITLE" follows its
// line. With --beside a first copy is started (every question answered Yes)
// and left running while the observed copy starts. The observed copy is
// ended ("script done") when its script is done; with --hold only after a
// line has been read from standard input (the driver prints "held" on
// standard error once the window has painted), for taking its picture.
//
// --keys is a step of the script: Tab, the arrows and Space are sent to the
// window, and what they changed is reported (meant for after the run: no
// Space follows a Tab, which would press Finish).
//
// With --phases the driver holds the program at each moment its hook
// (windriver_hook.dll, beside the driver) watches for: the licence
// accepted, each progress row complete, Finish shown. The hook prints
// "phase: NAME" and each label's lines; the driver then checks by hit tests
// that every control it reckons in view is what a point of it hits, and
// that no point of a covered control reaches it ("wrong: ..." otherwise),
// prints the place of the client area on the screen ("client: X Y W H") and
// of each control in view ("in view: NAME X Y W H", in the client area), and
// with --hold waits for a line on standard input (after
// "held NAME" on standard error). With --keys-in-run the keys are also sent
// at the first phase of the run, to be handled while it works.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/quoted_text.h"
#include "platform/win32/ui/window_coverage.h"
#include "tools/windriver/phase_names.h"

namespace {

constexpr const char* kFormClass = "LYNSetupForm";
constexpr const char* kPictureBoxClass = "LYNSetupPicture";
constexpr const char* kNameProperty = "LYNControlName";
constexpr DWORD kPollMs = 20;
constexpr DWORD kTimeoutMs = 60000;
constexpr UINT kSendTimeoutMs = 5000;
// The static control that shows a message box's icon.
constexpr int kWindowsIconId = 0x14;
constexpr int kWineIconId = 0x440;  // stc1
// How long the program is given to handle keys sent to it.
constexpr DWORD kKeysMs = 500;
// Keys that, were the covered page within reach, would select the accepting
// option again (re-enabling Continue) and press Continue: sent while the run
// works.
constexpr UINT kKeysInRun[] = {VK_TAB, VK_TAB, VK_RIGHT, VK_LEFT, VK_TAB, VK_SPACE,
                               VK_TAB, VK_TAB, VK_DOWN,  VK_UP,   VK_TAB, VK_SPACE};
// The same after the run, without a Space after a Tab, which would press
// Finish, the one control then in reach.
constexpr UINT kKeysAfterRun[] = {VK_RIGHT, VK_LEFT, VK_DOWN, VK_UP, VK_SPACE, VK_TAB,
                                  VK_RIGHT, VK_LEFT, VK_DOWN, VK_UP, VK_TAB};
// Points of a covered control tried by the hit test, this far apart.
constexpr int kProbeStep = 3;

using lyn::Quoted;

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string ClassOf(HWND window) {
  char buffer[256] = {};
  const int length = ::GetClassNameA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

// The text of a window of another process, asked of the window itself.
std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

std::string NameOf(HWND window) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(::GetPropA(window, kNameProperty)));
  char buffer[256] = {};
  const UINT length = atom == 0 ? 0 : ::GlobalGetAtomNameA(atom, buffer, sizeof buffer);
  return std::string(buffer, length);
}

// The process's top-level windows; only those shown unless `hidden`.
std::vector<HWND> TopLevelWindowsOf(DWORD process, bool hidden = false) {
  struct Search {
    DWORD process;
    bool hidden;
    std::vector<HWND> found;
  } search{process, hidden, {}};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s.process && (s.hidden || ::IsWindowVisible(window))) {
          s.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// What a person sees of one control.
struct ControlView {
  HWND window = nullptr;
  std::string name;
  std::string className;
  std::string text;
  std::string shown;  // the line's text after the name
  bool seen = false;
  bool enabled = false;
  bool visible = false;
  bool option = false;
  bool selected = false;
  bool pushButton = false;
};

// Seen: visible, inside the client area of every container up to the form,
// and not wholly covered by the windows above it.
bool SeenByPerson(HWND control, HWND form) {
  return !lyn::win32::UncoveredArea(control, form).empty();
}

// The window a click at the screen point lands on: what WindowFromPoint
// finds, followed down through its children at that point, so that a
// disabled control (which WindowFromPoint may pass over for its parent) is
// found as well.
HWND HitAt(POINT point) {
  HWND hit = ::WindowFromPoint(point);
  while (hit != nullptr) {
    POINT local = point;
    ::ScreenToClient(hit, &local);
    HWND child = ::ChildWindowFromPointEx(hit, local, CWP_SKIPINVISIBLE);
    if (child == nullptr || child == hit) break;
    hit = child;
  }
  return hit;
}

bool IsWithin(HWND window, HWND ancestor) {
  for (HWND w = window; w != nullptr; w = ::GetParent(w)) {
    if (w == ancestor) return true;
  }
  return false;
}

// With `ask` the control's text and check state are asked of the program;
// without, only what the window system keeps is read, which needs no answer
// from a program that is held.
ControlView ViewOf(HWND window, HWND form, bool ask) {
  ControlView view;
  view.window = window;
  view.name = NameOf(window);
  view.className = ClassOf(window);
  view.visible = (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  view.seen = SeenByPerson(window, form);
  view.enabled = ::IsWindowEnabled(window) != 0;
  if (!ask) return view;
  const LONG style = ::GetWindowLongA(window, GWL_STYLE);
  view.text = TextOf(window);
  const std::string& text = view.text;
  if (view.className == kPictureBoxClass ||
      (view.className == "Static" && (style & SS_REALSIZEIMAGE) != 0)) {
    view.shown = "picture";
  } else if (view.className == "Edit") {
    const auto end = text.find_first_of("\r\n");
    view.shown = Quoted(end == std::string::npos ? text : text.substr(0, end) + "...");
  } else {
    view.shown = Quoted(text);
  }
  if (view.className == "Button") {
    const LONG type = style & BS_TYPEMASK;
    view.option = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    view.pushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    DWORD_PTR check = 0;
    ::SendMessageTimeoutA(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &check);
    view.selected = check == BST_CHECKED;
  }
  return view;
}

// Every control of the form in creation order (their ids ascend with it).
std::vector<ControlView> ControlsOf(HWND form, bool ask = true) {
  std::vector<HWND> windows;
  ::EnumChildWindows(
      form,
      [](HWND window, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::sort(windows.begin(), windows.end(),
            [](HWND a, HWND b) { return ::GetDlgCtrlID(a) < ::GetDlgCtrlID(b); });
  std::vector<ControlView> views;
  for (HWND window : windows) {
    if (!NameOf(window).empty()) views.push_back(ViewOf(window, form, ask));
  }
  return views;
}

// The icon of a message box is a static control: id 20 on Windows, stc1 on
// Wine. Icons belong to the process that loaded them, so another process
// cannot tell which one is shown; the program only ever asks for the stop
// icon, so any icon is reported as "critical".
bool ShowsIcon(HWND box) {
  for (const int id : {kWindowsIconId, kWineIconId}) {
    HWND icon = ::GetDlgItem(box, id);
    if (icon != nullptr && ::IsWindowVisible(icon)) return true;
  }
  return false;
}

// The step of a script that sends the keys.
constexpr const char* kKeysStep = "--keys";

struct Options {
  std::deque<std::string> answers;
  std::deque<std::string> steps;  // control names, and kKeysStep
  bool hold = false;
  bool phases = false;
  bool keysInRun = false;
};

// Waits for a line on standard input after telling standard error `what`.
void WaitForGo(const std::string& what) {
  std::fputs((what + "\n").c_str(), stderr);
  std::fflush(stderr);
  char line[16];
  static_cast<void>(std::fgets(line, sizeof line, stdin));
}

class Driver {
 public:
  explicit Driver(Options options)
      : answers_(std::move(options.answers)),
        clicks_(std::move(options.steps)),
        hold_(options.hold),
        keysInRun_(options.keysInRun) {}

  // Runs the program to its end and returns the driver's exit status; `held`
  // is set by the program's hook while it holds the program at a phase.
  int Observe(const PROCESS_INFORMATION& process, HANDLE held, HANDLE resume) {
    process_ = process;
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kTimeoutMs) {
      if (held != nullptr && ::WaitForSingleObject(held, 0) == WAIT_OBJECT_0) {
        Phase();
        ::SetEvent(resume);
        // The time held is not the program's.
        start = ::GetTickCount();
      }
      if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return Ended();
      Step();
      if (done_) return 0;
      ::Sleep(kPollMs);
    }
    Print("ended: timeout");
    ::TerminateProcess(process_.hProcess, 1);
    return 1;
  }

 private:
  // The program's window, shown or not yet; null before it is made.
  HWND SetupWindow() const {
    for (HWND window : TopLevelWindowsOf(process_.dwProcessId, true)) {
      if (ClassOf(window) == kFormClass) return window;
    }
    return nullptr;
  }

  void Step() {
    for (HWND window : TopLevelWindowsOf(process_.dwProcessId)) {
      const std::string className = ClassOf(window);
      if (className == "#32770") {
        if (window != lastBox_) MessageBox(window);
        return;
      }
      if (className == kFormClass && form_ == nullptr) Shown(window);
    }
    if (form_ == nullptr || ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return;
    if (clicking_ != nullptr) {
      if (::WaitForSingleObject(clicking_, 0) != WAIT_OBJECT_0) return;
      ::CloseHandle(clicking_);
      clicking_ = nullptr;
      ReportChanges();
    }
    if (pending_) NextClick();
  }

  void MessageBox(HWND box) {
    lastBox_ = box;
    const bool yesNo = ::GetDlgItem(box, IDYES) != nullptr;
    const bool critical = ShowsIcon(box);
    std::string line = "msgbox: " + Quoted(TextOf(box)) + (yesNo ? " [Yes/No]" : " [OK]");
    if (critical) line += " critical";
    Print(line + " " + Quoted(TextOf(::GetDlgItem(box, 0xFFFF)), true));
    HWND form = SetupWindow();
    if (form != nullptr && (::GetWindow(box, GW_OWNER) != form || ::IsWindowEnabled(form))) {
      Print("unowned: " + Quoted(TextOf(box)));
    }
    if (answers_.empty()) {
      Print("unanswered: " + Quoted(TextOf(box)));
      ::TerminateProcess(process_.hProcess, 3);
      Print("ended: exit 3");
      done_ = true;
      return;
    }
    const std::string answer = answers_.front();
    answers_.pop_front();
    const int id = answer == "Yes" ? IDYES : answer == "No" ? IDNO : IDOK;
    Print("answer: " + answer);
    lastCaption_ = TextOf(box);
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
  }

  void Shown(HWND form) {
    form_ = form;
    Print("shown: " + NameOf(form) + " " + Quoted(TextOf(form)));
    views_ = ControlsOf(form);
    for (const ControlView& view : views_) {
      if (!view.seen) continue;
      std::string line = "control: " + view.name + " " + view.shown;
      if (!view.enabled) line += " disabled";
      if (view.option && view.selected) line += " selected";
      Print(line);
    }
    pending_ = true;
  }

  // The program is held at a phase (its hook has printed which): every
  // control's place in view is checked by hit tests and printed.
  void Phase() {
    const std::size_t phase = phase_++;
    POINT origin{0, 0};
    ::ClientToScreen(form_, &origin);
    RECT client{};
    ::GetClientRect(form_, &client);
    Print("client: " + std::to_string(origin.x) + " " + std::to_string(origin.y) + " " +
          std::to_string(client.right) + " " + std::to_string(client.bottom));
    for (const ControlView& view : ControlsOf(form_, false)) {
      const std::vector<RECT> area = lyn::win32::UncoveredArea(view.window, form_);
      if (!area.empty()) {
        CheckReached(view, area);
      } else if (::IsWindowVisible(view.window)) {
        CheckCovered(view);
      }
    }
    if (hold_) WaitForGo("held " + std::string(windriver::kPhases[phase]));
    if (keysInRun_ && phase == 1) SendKeys(kKeysInRun);
  }

  // A control in view: a point of its uncovered part hits it, and its place
  // is printed.
  void CheckReached(const ControlView& view, const std::vector<RECT>& area) {
    const RECT& part =
        *std::max_element(area.begin(), area.end(), [](const RECT& a, const RECT& b) {
          return (a.right - a.left) * (a.bottom - a.top) < (b.right - b.left) * (b.bottom - b.top);
        });
    const POINT centre{(part.left + part.right) / 2, (part.top + part.bottom) / 2};
    if (!IsWithin(HitAt(centre), view.window)) {
      Print("wrong: " + view.name + " is in view but a click at its middle misses it");
    }
    RECT rect{};
    ::GetWindowRect(view.window, &rect);
    POINT origin{0, 0};
    ::ClientToScreen(form_, &origin);
    Print("in view: " + view.name + " " + std::to_string(rect.left - origin.x) + " " +
          std::to_string(rect.top - origin.y) + " " + std::to_string(rect.right - rect.left) + " " +
          std::to_string(rect.bottom - rect.top));
  }

  // A covered control: no point of it reaches it.
  void CheckCovered(const ControlView& view) {
    RECT rect{};
    ::GetWindowRect(view.window, &rect);
    for (int y = rect.top; y < rect.bottom; y += kProbeStep) {
      for (int x = rect.left; x < rect.right; x += kProbeStep) {
        if (IsWithin(HitAt(POINT{x, y}), view.window)) {
          Print("wrong: " + view.name + " is covered but a click at (" + std::to_string(x) + ", " +
                std::to_string(y) + ") reaches it");
          return;
        }
      }
    }
  }

  // Tab, the arrows and Space, as a person presses them, to the control
  // with the focus (or the window): handled when the program next takes
  // input.
  template <std::size_t N>
  void SendKeys(const UINT (&keys)[N]) const {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ::GetGUIThreadInfo(process_.dwThreadId, &thread);
    for (const UINT key : keys) {
      HWND target = thread.hwndFocus != nullptr ? thread.hwndFocus : form_;
      const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
      ::PostMessageA(target, WM_KEYDOWN, key, scan | 1);
      ::PostMessageA(target, WM_KEYUP, key, scan | 1 | (3u << 30));
      // The focus moves as the keys are handled; the next key goes where
      // the program has put it.
      ::Sleep(kPollMs);
      ::GetGUIThreadInfo(process_.dwThreadId, &thread);
    }
  }

  void NextClick() {
    if (clicks_.empty()) {
      if (hold_) Hold();
      ::TerminateProcess(process_.hProcess, 0);
      Print("ended: script done");
      done_ = true;
      return;
    }
    const std::string name = clicks_.front();
    clicks_.pop_front();
    if (name == kKeysStep) {
      Print("keys: Tab, arrows, Space");
      SendKeys(kKeysAfterRun);
      ::Sleep(kKeysMs);
      ReportChanges();
      return;
    }
    Print("click: " + name);
    lastCaption_.clear();
    const auto view = std::find_if(views_.begin(), views_.end(),
                                   [&](const ControlView& v) { return v.name == name; });
    if (view == views_.end()) {
      ReportChanges();
      return;
    }
    // The program handles a click inside the message that delivers it, for
    // as long as what the click starts lasts (a whole install, with its
    // message boxes). The click is sent from a thread of its own, so that
    // the driver goes on answering those boxes; the next click waits for it.
    lastClick_ = *view;
    clicking_ = ::CreateThread(
        nullptr, 0,
        [](LPVOID view) -> DWORD {
          Click(*static_cast<const ControlView*>(view));
          return 0;
        },
        &*lastClick_, 0, nullptr);
    if (clicking_ == nullptr) Click(*lastClick_);
  }

  // Waits until the program has handled everything sent so far (its window
  // painted), then for a line on standard input.
  void Hold() {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(form_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    WaitForGo("held");
  }

  // Waits for as long as the program handles the click: a whole install,
  // held at its phases for as long as the driver looks. A program that
  // hangs is ended by the driver's timeout, which ends the wait too.
  static void Click(const ControlView& view) {
    if (view.className == "Button") {
      ::SendMessageA(view.window, BM_CLICK, 0, 0);
      return;
    }
    RECT client{};
    ::GetClientRect(view.window, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
    ::SendMessageA(view.window, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    ::SendMessageA(view.window, WM_LBUTTONUP, 0, centre);
  }

  // The changes since the last look: an option group's old choice cleared,
  // its new one set, then every other change in creation order.
  void ReportChanges() {
    std::vector<ControlView> now = ControlsOf(form_);
    std::vector<std::string> cleared, set, others;
    for (std::size_t i = 0; i < now.size() && i < views_.size(); ++i) {
      const ControlView& before = views_[i];
      const ControlView& after = now[i];
      if (after.option && before.selected != after.selected) {
        (after.selected ? set : cleared)
            .push_back("selected: " + after.name + (after.selected ? " true" : " false"));
      }
      if (before.shown != after.shown)
        others.push_back("caption: " + after.name + " " + after.shown);
      if (before.enabled != after.enabled) {
        others.push_back("enabled: " + after.name + (after.enabled ? " true" : " false"));
      }
      if (before.visible != after.visible) {
        others.push_back("visible: " + after.name + (after.visible ? " true" : " false"));
      } else if (before.seen != after.seen) {
        others.push_back("visible: " + after.name + (after.seen ? " true" : " false"));
      }
    }
    for (const auto* lines : {&cleared, &set, &others}) {
      for (const std::string& line : *lines) Print(line);
    }
    views_ = std::move(now);
  }

  int Ended() {
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    std::string reason;
    if (!lastCaption_.empty()) {
      reason = lastCaption_;
    } else if (lastClick_ && lastClick_->pushButton) {
      reason = lastClick_->text;
    } else if (form_ == nullptr) {
      reason = "previous instance";
    } else {
      reason = "exit " + std::to_string(code);
    }
    Print("ended: " + reason);
    return 0;
  }

  PROCESS_INFORMATION process_{};
  std::deque<std::string> answers_;
  std::deque<std::string> clicks_;
  HWND lastBox_ = nullptr;
  HWND form_ = nullptr;
  bool hold_;
  bool keysInRun_;
  std::size_t phase_ = 0;
  bool pending_ = false;
  HANDLE clicking_ = nullptr;  // the thread sending the current click
  bool done_ = false;
  std::string lastCaption_;
  std::optional<ControlView> lastClick_;
  std::vector<ControlView> views_;
};

// Starts the program; `suspended` leaves its first thread stopped, for the
// hook to be set first. Its standard output is the driver's, where the hook
// writes.
std::optional<PROCESS_INFORMATION> Start(const std::string& program, bool suspended = false) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (suspended) {
    ::SetHandleInformation(out, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
  }
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr,
                        suspended ? TRUE : FALSE, suspended ? CREATE_SUSPENDED : 0, nullptr,
                        nullptr, &startup, &process)) {
    return std::nullopt;
  }
  return process;
}

// The events the hook and the driver hold and resume the program with.
struct PhaseEvents {
  HANDLE held = nullptr;
  HANDLE resume = nullptr;
};

// Hooks the program's window thread with windriver_hook.dll (beside the
// driver) and lets the thread start.
std::optional<PhaseEvents> HookPhases(const PROCESS_INFORMATION& process) {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of("\\/") + 1);
  HMODULE hook = ::LoadLibraryA((folder + "windriver_hook.dll").c_str());
  // GetProcAddress gives a pointer of no particular type; through void* it
  // becomes the hook procedure's.
  const auto proc =
      hook != nullptr
          ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(::GetProcAddress(hook, "PhaseHook")))
          : nullptr;
  const std::string suffix = "-" + std::to_string(process.dwProcessId);
  PhaseEvents events{
      ::CreateEventA(nullptr, FALSE, FALSE, (windriver::kHeldEvent + suffix).c_str()),
      ::CreateEventA(nullptr, FALSE, FALSE, (windriver::kResumeEvent + suffix).c_str())};
  const bool hooked =
      proc != nullptr && ::SetWindowsHookExA(WH_CALLWNDPROCRET, proc, hook, process.dwThreadId);
  ::ResumeThread(process.hThread);
  if (!hooked) return std::nullopt;
  return events;
}

// Starts a first copy and waits until its window shows, answering Yes to
// every question on the way.
std::optional<PROCESS_INFORMATION> StartFirstCopy(const std::string& program) {
  auto process = Start(program);
  if (!process) return std::nullopt;
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < kTimeoutMs) {
    for (HWND window : TopLevelWindowsOf(process->dwProcessId)) {
      const std::string className = ClassOf(window);
      if (className == kFormClass) return process;
      if (className == "#32770") {
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, IDYES)));
      }
    }
    ::Sleep(kPollMs);
  }
  ::TerminateProcess(process->hProcess, 1);
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(
        "usage: windriver PROGRAM [--beside] [--hold] [--phases] [--keys-in-run]\n"
        "                 [--answer Yes|No|OK]... [--click NAME | --keys]...\n",
        stderr);
    return 2;
  }
  const std::string program = argv[1];
  Options options;
  bool beside = false;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--beside") {
      beside = true;
    } else if (option == "--hold") {
      options.hold = true;
    } else if (option == "--phases") {
      options.phases = true;
    } else if (option == "--keys-in-run") {
      options.keysInRun = true;
    } else if (option == kKeysStep) {
      options.steps.push_back(kKeysStep);
    } else if ((option == "--answer" || option == "--click") && i + 1 < argc) {
      (option == "--answer" ? options.answers : options.steps).push_back(argv[++i]);
    } else {
      std::fprintf(stderr, "windriver: unknown option %s\n", option.c_str());
      return 2;
    }
  }
  std::optional<PROCESS_INFORMATION> first;
  if (beside) {
    first = StartFirstCopy(program);
    if (!first) {
      std::fputs("windriver: the first copy did not show its window\n", stderr);
      return 1;
    }
  }
  const auto observed = Start(program, options.phases);
  if (!observed) {
    std::fprintf(stderr, "windriver: cannot start %s\n", program.c_str());
    return 1;
  }
  PhaseEvents events;
  if (options.phases) {
    const auto hooked = HookPhases(*observed);
    if (!hooked) {
      std::fputs("windriver: cannot hook the program's window thread\n", stderr);
      ::TerminateProcess(observed->hProcess, 1);
      return 1;
    }
    events = *hooked;
  }
  Driver driver(std::move(options));
  const int status = driver.Observe(*observed, events.held, events.resume);
  if (first) ::TerminateProcess(first->hProcess, 0);
  return status;
}
