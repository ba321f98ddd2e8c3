// windriver_hook.dll: loaded by the window system into LYNSetup.exe when the
// driver hooks the program's window thread. It watches the messages the
// program's controls have handled, and at each moment the driver wants to
// look at (the licence accepted, each progress row complete, Finish shown)
// it repaints the window, writes what a person reads on each label (the
// caption as the label breaks it into lines) to the program's standard
// output, which is the driver's, and holds the program until the driver
// lets it go on. The program itself is not changed: it is held inside the
// message it was handling.
#include <windows.h>

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "common/caption_words.h"
#include "platform/win32/ui/window_coverage.h"
#include "tools/windriver/phase_names.h"

namespace {

constexpr const char* kFormClass = "LYNSetupForm";
constexpr const char* kNameProperty = "LYNControlName";
constexpr DWORD kHoldMs = 120000;

std::string NameOf(HWND window) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(::GetPropA(window, kNameProperty)));
  char buffer[256] = {};
  const UINT length = atom == 0 ? 0 : ::GlobalGetAtomNameA(atom, buffer, sizeof buffer);
  return std::string(buffer, length);
}

std::string TextOf(HWND window) {
  char buffer[1024] = {};
  const int length = ::GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

// "imgTick(2)" and the like.
std::string Indexed(const char* name, std::size_t index) {
  std::string indexed = name;
  indexed.append("(").append(std::to_string(index)).append(")");
  return indexed;
}

// The name of one of the events of this process.
std::string EventName(const char* event) {
  std::string name = event;
  name.append("-").append(std::to_string(::GetCurrentProcessId()));
  return name;
}

void Write(const std::string& line) {
  DWORD written = 0;
  std::string text = line;
  text.append("\n");
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

// The lines a label shows its caption in: the window system's own word
// breaking, read off as the height of the text grows word by word.
std::vector<std::string> LinesOf(HWND label) {
  const std::string text = TextOf(label);
  RECT client{};
  ::GetClientRect(label, &client);
  HDC dc = ::GetDC(label);
  HGDIOBJ previous =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)));
  std::vector<std::string> lines;
  std::string prefix;
  int height = 0;
  for (const std::string& word : lyn::CaptionWords(text)) {
    prefix += word;
    RECT measured{0, 0, client.right, 0};
    ::DrawTextA(dc, prefix.c_str(), -1, &measured, DT_WORDBREAK | DT_CALCRECT);
    if (lines.empty() || measured.bottom > height) {
      lines.push_back(word);
    } else {
      lines.back() += word;
    }
    height = measured.bottom;
  }
  ::SelectObject(dc, previous);
  ::ReleaseDC(label, dc);
  return lines;
}

class Watcher {
 public:
  void Look(HWND window) {
    if (busy_ || next_ >= windriver::kPhases.size()) return;
    HWND form = ::GetAncestor(window, GA_ROOT);
    char className[64] = {};
    ::GetClassNameA(form, className, sizeof className);
    // The controls are all made by the time the window is shown.
    if (std::string(className) != kFormClass || !::IsWindowVisible(form)) return;
    if (controls_.empty()) Collect(form);
    if (!Reached(next_)) return;
    busy_ = true;
    Hold(form, windriver::kPhases[next_++]);
    busy_ = false;
  }

 private:
  void Collect(HWND form) {
    ::EnumChildWindows(
        form,
        [](HWND child, LPARAM param) -> BOOL {
          const std::string name = NameOf(child);
          if (!name.empty()) (*reinterpret_cast<std::map<std::string, HWND>*>(param))[name] = child;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls_));
  }

  HWND Control(const std::string& name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
  }

  bool Shown(const std::string& name) const {
    HWND window = Control(name);
    return window != nullptr && (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  }

  bool Reached(std::size_t phase) const {
    if (phase == 0) return ::IsWindowEnabled(Control("cmdOK")) != 0;
    if (phase == windriver::kPhases.size() - 1) {
      return Shown("cmdExit") && TextOf(Control("cmdExit")) == "Finish";
    }
    const std::size_t row = phase - 1;
    return TextOf(Control(windriver::kProgressLabels[row])) == "....Done" &&
           (Shown(Indexed("imgTick", row)) || Shown(Indexed("imgCross", row)));
  }

  void Hold(HWND form, const char* phase) {
    ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    std::string heading = "phase: ";
    heading.append(phase);
    Write(heading);
    for (const auto& [name, window] : controls_) {
      char className[64] = {};
      ::GetClassNameA(window, className, sizeof className);
      const LONG style = ::GetWindowLongA(window, GWL_STYLE);
      if (std::string(className) != "Static" || (style & SS_REALSIZEIMAGE) != 0 ||
          lyn::win32::UncoveredArea(window, form).empty()) {
        continue;
      }
      // Appended piece by piece: GCC 12 misreads a sum of strings when
      // optimising.
      std::string line = "lines: ";
      line.append(name);
      for (const std::string& text : LinesOf(window)) line.append(" \"").append(text).append("\"");
      Write(line);
    }
    HANDLE held = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName(windriver::kHeldEvent).c_str());
    HANDLE resume = ::OpenEventA(SYNCHRONIZE, FALSE, EventName(windriver::kResumeEvent).c_str());
    if (held != nullptr && resume != nullptr) {
      // A look for messages, as an idle window thread makes, lets the window
      // system put the repainted window on the screen; the messages are
      // left for the program.
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
      ::SetEvent(held);
      ::WaitForSingleObject(resume, kHoldMs);
    }
    if (held != nullptr) ::CloseHandle(held);
    if (resume != nullptr) ::CloseHandle(resume);
  }

  bool busy_ = false;
  std::size_t next_ = 0;
  std::map<std::string, HWND> controls_;
};

Watcher watcher;

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    PhaseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    switch (message->message) {
      case WM_SETTEXT:
      case WM_ENABLE:
      case WM_SHOWWINDOW:
      case WM_WINDOWPOSCHANGED:
        watcher.Look(message->hwnd);
        break;
      default:
        break;
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
