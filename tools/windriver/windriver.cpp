// windriver: drives LYNSetup.exe on real Windows (or Wine) as a person
// would and prints what that person sees, in the transcript lines of the
// emulated machine's headless runs, so that the two can be compared.
//
//   windriver PROGRAM [--beside] [--hold] [--answer Yes|No|OK]... [--click NAME]...
//
// Message boxes take the answers in order; the window takes the clicks in
// order once it is shown. With --beside a first copy is started (every
// question answered Yes) and left running while the observed copy starts.
// The observed copy is ended ("script done") when its script is done; with
// --hold only after a line has been read from standard input (the driver
// prints "held" once the window has painted), for taking its picture.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

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

// A text in double quotes: quotes become \", CR \r and LF \n. With
// `lineBreaks` a line break (CR LF, or LF) ends the line instead and the text
// goes on after two blanks, as the emulated machine's transcript prints a
// message box.
std::string Quoted(const std::string& text, bool lineBreaks = false) {
  std::string quoted = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool lineEnd = c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
    if (lineBreaks && lineEnd) {
      if (c == '\r') ++i;
      quoted += "\n  ";
    } else if (c == '"') {
      quoted += "\\\"";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

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

std::vector<HWND> TopLevelWindowsOf(DWORD process) {
  struct Search {
    DWORD process;
    std::vector<HWND> found;
  } search{process, {}};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s.process && ::IsWindowVisible(window)) s.found.push_back(window);
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

RECT ScreenClientRect(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// Seen: visible, and inside the client area of every container up to the form.
bool SeenByPerson(HWND control, HWND form) {
  if (!::IsWindowVisible(control)) return false;
  RECT area{};
  ::GetWindowRect(control, &area);
  for (HWND parent = ::GetParent(control); parent != nullptr; parent = ::GetParent(parent)) {
    const RECT client = ScreenClientRect(parent);
    if (!::IntersectRect(&area, &area, &client)) return false;
    if (parent == form) break;
  }
  return true;
}

ControlView ViewOf(HWND window, HWND form) {
  ControlView view;
  view.window = window;
  view.name = NameOf(window);
  view.className = ClassOf(window);
  view.visible = (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  view.seen = SeenByPerson(window, form);
  view.enabled = ::IsWindowEnabled(window) != 0;
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
std::vector<ControlView> ControlsOf(HWND form) {
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
    if (!NameOf(window).empty()) views.push_back(ViewOf(window, form));
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

class Driver {
 public:
  Driver(std::deque<std::string> answers, std::deque<std::string> clicks, bool hold)
      : answers_(std::move(answers)), clicks_(std::move(clicks)), hold_(hold) {}

  // Runs the program to its end and returns the driver's exit status.
  int Observe(const PROCESS_INFORMATION& process) {
    process_ = process;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kTimeoutMs) {
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
    std::fputs("held\n", stderr);
    std::fflush(stderr);
    char line[16];
    static_cast<void>(std::fgets(line, sizeof line, stdin));
  }

  static void Click(const ControlView& view) {
    DWORD_PTR result = 0;
    if (view.className == "Button") {
      ::SendMessageTimeoutA(view.window, BM_CLICK, 0, 0, SMTO_NORMAL, kTimeoutMs, &result);
      return;
    }
    RECT client{};
    ::GetClientRect(view.window, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
    ::SendMessageTimeoutA(view.window, WM_LBUTTONDOWN, MK_LBUTTON, centre, SMTO_NORMAL, kTimeoutMs,
                          &result);
    ::SendMessageTimeoutA(view.window, WM_LBUTTONUP, 0, centre, SMTO_NORMAL, kTimeoutMs, &result);
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
  bool pending_ = false;
  HANDLE clicking_ = nullptr;  // the thread sending the current click
  bool done_ = false;
  std::string lastCaption_;
  std::optional<ControlView> lastClick_;
  std::vector<ControlView> views_;
};

std::optional<PROCESS_INFORMATION> Start(const std::string& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
    return std::nullopt;
  }
  return process;
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
        "usage: windriver PROGRAM [--beside] [--hold] [--answer Yes|No|OK]... [--click NAME]...\n",
        stderr);
    return 2;
  }
  const std::string program = argv[1];
  std::deque<std::string> answers, clicks;
  bool beside = false;
  bool hold = false;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--beside") {
      beside = true;
    } else if (option == "--hold") {
      hold = true;
    } else if ((option == "--answer" || option == "--click") && i + 1 < argc) {
      (option == "--answer" ? answers : clicks).push_back(argv[++i]);
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
  const auto observed = Start(program);
  if (!observed) {
    std::fprintf(stderr, "windriver: cannot start %s\n", program.c_str());
    return 1;
  }
  Driver driver(std::move(answers), std::move(clicks), hold);
  const int status = driver.Observe(*observed);
  if (first) ::TerminateProcess(first->hProcess, 0);
  return status;
}
