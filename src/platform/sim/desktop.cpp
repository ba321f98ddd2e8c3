#include "platform/sim/desktop.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "platform/sim/machine/side_file.h"

namespace lyn::sim {
namespace fs = std::filesystem;

namespace {

constexpr const char* kSuffix = ".windows";
// A handle is the process number, then a 10-bit window number, then two zero
// bits as Windows' own handles have.
constexpr int kWindowBits = 10;
constexpr win::HWND kWindowMask = (win::HWND{1} << kWindowBits) - 1;

win::HWND MakeHandle(int processId, win::HWND number) {
  return (static_cast<win::HWND>(processId) << (kWindowBits + 2)) | (number << 2);
}
win::HWND NumberOf(win::HWND handle) {
  return (handle >> 2) & kWindowMask;
}

// One process serialises its own Desktop objects' read-modify-write.
std::mutex& OwnFileMutex() {
  static std::mutex mutex;
  return mutex;
}

// The start time of a live process (clock ticks after boot, field 22 of
// /proc/PID/stat); nullopt when it is gone or a zombie.
std::optional<unsigned long long> StartTimeOf(int processId) {
  std::ifstream in("/proc/" + std::to_string(processId) + "/stat");
  std::string stat;
  std::getline(in, stat);
  const auto nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string state;
  fields >> state;
  if (state == "Z" || state == "X") return std::nullopt;
  std::string skipped;
  for (int field = 4; field < 22; ++field) fields >> skipped;
  unsigned long long startTime = 0;
  if (!(fields >> startTime)) return std::nullopt;
  return startTime;
}

std::string Escape(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\t':
        escaped += "\\t";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Unescape(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      plain += text[i];
      continue;
    }
    const char c = text[++i];
    plain += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return plain;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    parts.push_back(line.substr(start, tab - start));
  }
  parts.push_back(line.substr(start));
  return parts;
}

// File format: a line "process<TAB>pid<TAB>start time", then one line per
// window: "handle<TAB>0 or 1<TAB>class<TAB>caption", texts escaped.
std::optional<std::pair<int, unsigned long long>> ParseHeader(const std::string& line) {
  const auto parts = SplitTabs(line);
  if (parts.size() != 3 || parts[0] != "process") return std::nullopt;
  try {
    return std::make_pair(std::stoi(parts[1]), std::stoull(parts[2]));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::vector<TopLevelWindow> ParseWindows(std::istream& lines, int processId) {
  std::vector<TopLevelWindow> windows;
  std::string line;
  while (std::getline(lines, line)) {
    const auto parts = SplitTabs(line);
    if (parts.size() != 4) continue;
    try {
      windows.push_back({static_cast<win::HWND>(std::stoull(parts[0])), processId,
                         Unescape(parts[2]), Unescape(parts[3]), parts[1] == "1"});
    } catch (const std::exception&) {
      continue;
    }
  }
  return windows;
}

}  // namespace

Desktop::Desktop(const Machine& machine)
    : folder_(machine.Root() / "desktop"),
      processId_(static_cast<int>(getpid())),
      startTime_(StartTimeOf(processId_).value_or(0)),
      delay_(machine.profile().DesktopDelayMs) {
  fs::create_directories(folder_);
}

fs::path Desktop::FileOf(int processId) const {
  return folder_ / (std::to_string(processId) + kSuffix);
}

Desktop::ProcessFile Desktop::ReadOwn() const {
  ProcessFile own{processId_, startTime_, {}};
  std::istringstream lines(ReadTextFile(FileOf(processId_)));
  std::string header;
  std::getline(lines, header);
  const auto owner = ParseHeader(header);
  if (owner && owner->first == processId_ && owner->second == startTime_) {
    own.windows = ParseWindows(lines, processId_);
  }
  return own;
}

void Desktop::WriteOwn(const ProcessFile& file) const {
  if (file.windows.empty()) {
    std::error_code ignored;
    fs::remove(FileOf(processId_), ignored);
    return;
  }
  std::string text =
      "process\t" + std::to_string(file.processId) + "\t" + std::to_string(file.startTime) + "\n";
  for (const TopLevelWindow& w : file.windows) {
    text += std::to_string(w.handle) + "\t" + (w.visible ? "1" : "0") + "\t" + Escape(w.className) +
            "\t" + Escape(w.caption) + "\n";
  }
  WriteTextFileAtomically(FileOf(processId_), text);
}

win::HWND Desktop::Add(const std::string& className, const std::string& caption, bool visible) {
  const std::lock_guard lock(OwnFileMutex());
  ProcessFile own = ReadOwn();
  std::vector<bool> used(kWindowMask + 1, false);
  used[0] = true;
  win::HWND next = 1;
  for (const TopLevelWindow& w : own.windows) {
    used[NumberOf(w.handle)] = true;
    next = std::max(next, NumberOf(w.handle) + 1);
  }
  if (next > kWindowMask) {
    next = static_cast<win::HWND>(std::find(used.begin(), used.end(), false) - used.begin());
    if (next > kWindowMask) throw std::runtime_error("too many windows in one process");
  }
  const win::HWND handle = MakeHandle(processId_, next);
  own.windows.push_back({handle, processId_, className, caption, visible});
  WriteOwn(own);
  return handle;
}

template <typename Change>
bool Desktop::ChangeOwn(win::HWND window, Change change) {
  const std::lock_guard lock(OwnFileMutex());
  ProcessFile own = ReadOwn();
  const auto found = std::find_if(own.windows.begin(), own.windows.end(),
                                  [window](const TopLevelWindow& w) { return w.handle == window; });
  if (found == own.windows.end()) return false;
  change(own.windows, found);
  WriteOwn(own);
  return true;
}

bool Desktop::SetCaption(win::HWND window, const std::string& caption) {
  return ChangeOwn(window, [&](auto&, auto found) { found->caption = caption; });
}

bool Desktop::SetVisible(win::HWND window, bool visible) {
  return ChangeOwn(window, [&](auto&, auto found) { found->visible = visible; });
}

bool Desktop::Remove(win::HWND window) {
  return ChangeOwn(window, [](auto& windows, auto found) { windows.erase(found); });
}

void Desktop::RemoveAllOfThisProcess() {
  std::this_thread::sleep_for(delay_);
  const std::lock_guard lock(OwnFileMutex());
  WriteOwn(ProcessFile{processId_, startTime_, {}});
}

std::vector<TopLevelWindow> Desktop::List() const {
  std::this_thread::sleep_for(delay_);
  std::vector<TopLevelWindow> all = ReadOwn().windows;
  std::vector<std::pair<int, fs::path>> others;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    const fs::path& file = it->path();
    if (file.extension() != kSuffix) continue;
    try {
      const int processId = std::stoi(file.stem().string());
      if (processId != processId_) others.emplace_back(processId, file);
    } catch (const std::exception&) {
      continue;
    }
  }
  std::sort(others.begin(), others.end());
  for (const auto& [processId, file] : others) {
    std::istringstream lines(ReadTextFile(file));
    std::string header;
    std::getline(lines, header);
    const auto owner = ParseHeader(header);
    if (!owner || owner->first != processId || StartTimeOf(processId) != owner->second) continue;
    const auto windows = ParseWindows(lines, processId);
    all.insert(all.end(), windows.begin(), windows.end());
  }
  return all;
}

std::optional<TopLevelWindow> Desktop::Find(win::HWND window) const {
  for (const TopLevelWindow& w : List()) {
    if (w.handle == window) return w;
  }
  return std::nullopt;
}

bool Desktop::IsOwn(win::HWND window) const {
  const auto windows = ReadOwn().windows;
  return std::any_of(windows.begin(), windows.end(),
                     [window](const TopLevelWindow& w) { return w.handle == window; });
}

}  // namespace lyn::sim
