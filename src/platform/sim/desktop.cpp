#include "platform/sim/desktop.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "platform/sim/machine/process_identity.h"

namespace lyn::sim {
namespace fs = std::filesystem;

namespace {

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

// This process's windows, once BindOwner bound it.
constexpr const char* kOwnWindows =
    "SELECT handle, process_id, class_name, caption, visible FROM desktop_windows"
    " WHERE process_id = ?1 AND process_start = ?2 ORDER BY handle";

TopLevelWindow WindowOf(const Statement& row) {
  return {static_cast<win::HWND>(row.Int(0)), static_cast<int>(row.Int(1)), row.Text(2),
          row.Text(3), row.Int(4) != 0};
}

}  // namespace

Desktop::Desktop(const Machine& machine)
    : machine_(machine),
      processId_(ThisProcessIdentity().id),
      startTime_(ThisProcessIdentity().start) {}

win::HWND Desktop::Add(const std::string& className, const std::string& caption, bool visible) {
  return machine_.State().Write([&](const Transaction& t) {
    // Rows of ended processes go, among them an earlier process with this
    // process's number, whose handles this one may reuse.
    std::set<std::pair<int, std::int64_t>> ended;
    for (auto owners = t.Prepare("SELECT DISTINCT process_id, process_start FROM desktop_windows");
         owners.Step();) {
      const int processId = static_cast<int>(owners.Int(0));
      const auto startTime = static_cast<unsigned long long>(owners.Int(1));
      if (StartTimeOf(processId) != startTime) ended.emplace(processId, owners.Int(1));
    }
    for (const auto& [processId, startTime] : ended) {
      t.Prepare("DELETE FROM desktop_windows WHERE process_id = ?1 AND process_start = ?2")
          .Bind(1, std::int64_t{processId})
          .Bind(2, startTime)
          .Run();
    }
    std::vector<bool> used(kWindowMask + 1, false);
    used[0] = true;
    win::HWND next = 1;
    auto own = t.Prepare(kOwnWindows);
    BindOwner(own);
    while (own.Step()) {
      const win::HWND number = NumberOf(static_cast<win::HWND>(own.Int(0)));
      used[number] = true;
      next = std::max(next, number + 1);
    }
    if (next > kWindowMask) {
      next = static_cast<win::HWND>(std::find(used.begin(), used.end(), false) - used.begin());
      if (next > kWindowMask) throw std::runtime_error("too many windows in one process");
    }
    const win::HWND handle = MakeHandle(processId_, next);
    t.Prepare("INSERT INTO desktop_windows VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        .Bind(1, static_cast<std::int64_t>(handle))
        .Bind(2, std::int64_t{processId_})
        .Bind(3, static_cast<std::int64_t>(startTime_))
        .Bind(4, className)
        .Bind(5, caption)
        .Bind(6, std::int64_t{visible ? 1 : 0})
        .Run();
    return handle;
  });
}

void Desktop::BindOwner(Statement& statement) const {
  statement.Bind(1, std::int64_t{processId_}).Bind(2, static_cast<std::int64_t>(startTime_));
}

bool Desktop::ChangeOwn(std::string_view sql, win::HWND window,
                        const std::optional<std::string>& value) {
  return machine_.State().Write([&](const Transaction& t) {
    Statement change = t.Prepare(std::string(sql) +
                                 " WHERE process_id = ?1 AND process_start = ?2 AND handle = ?3");
    BindOwner(change);
    change.Bind(3, static_cast<std::int64_t>(window));
    if (value) change.Bind(4, *value);
    change.Run();
    return t.Changes() > 0;
  });
}

bool Desktop::SetCaption(win::HWND window, const std::string& caption) {
  return ChangeOwn("UPDATE desktop_windows SET caption = ?4", window, caption);
}

bool Desktop::SetVisible(win::HWND window, bool visible) {
  return ChangeOwn(
      visible ? "UPDATE desktop_windows SET visible = 1" : "UPDATE desktop_windows SET visible = 0",
      window, std::nullopt);
}

bool Desktop::Remove(win::HWND window) {
  return ChangeOwn("DELETE FROM desktop_windows", window, std::nullopt);
}

void Desktop::RemoveAllOfThisProcess() {
  if (DesktopHooks::beforeRemovingAll) DesktopHooks::beforeRemovingAll();
  machine_.State().Write([&](const Transaction& t) {
    auto remove =
        t.Prepare("DELETE FROM desktop_windows WHERE process_id = ?1 AND process_start = ?2");
    BindOwner(remove);
    remove.Run();
  });
}

std::vector<TopLevelWindow> Desktop::List() const {
  if (DesktopHooks::beforeListing) DesktopHooks::beforeListing();
  return machine_.State().Read([&](const Transaction& t) {
    std::vector<TopLevelWindow> all;
    auto own = t.Prepare(kOwnWindows);
    BindOwner(own);
    while (own.Step()) all.push_back(WindowOf(own));
    auto others = t.Prepare(
        "SELECT handle, process_id, class_name, caption, visible, process_start"
        " FROM desktop_windows WHERE NOT (process_id = ?1 AND process_start = ?2)"
        " ORDER BY process_id, handle");
    BindOwner(others);
    while (others.Step()) {
      const TopLevelWindow window = WindowOf(others);
      const auto startTime = static_cast<unsigned long long>(others.Int(5));
      if (StartTimeOf(window.processId) == startTime) all.push_back(window);
    }
    return all;
  });
}

std::optional<TopLevelWindow> Desktop::Find(win::HWND window) const {
  for (const TopLevelWindow& w : List()) {
    if (w.handle == window) return w;
  }
  return std::nullopt;
}

bool Desktop::IsOwn(win::HWND window) const {
  return machine_.State().Read([&](const Transaction& t) {
    auto own = t.Prepare(kOwnWindows);
    BindOwner(own);
    while (own.Step()) {
      if (static_cast<win::HWND>(own.Int(0)) == window) return true;
    }
    return false;
  });
}

}  // namespace lyn::sim
