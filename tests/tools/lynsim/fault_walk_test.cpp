// The fault walk: a whole install and a whole uninstall of the default
// machine, run again and again with the Nth host call the machine makes
// failing (the disk full from there on, or one device error) or with the
// process killed right there, N walking over every call of the run. After
// each fault:
//   - the state store passes SQLite's integrity check;
//   - what the run reported is true: an entry the log calls "Successful" and
//     the uninstall row's tick stand for what is on the machine, the exit
//     status is the record's, a run that reached Finish names every file it
//     left out, and an uninstaller that says the product was removed leaves
//     none of it;
//   - the uninstaller, run afterwards, leaves the machine as it was before
//     the install but for what stays by design: the shared system and DAO
//     files with their registrations, and the access grants.
//
// The suite walks a seeded sample; scripts/fault-walk.sh walks every point.
// LYN_FAULT_WALK=all or PHASE[:KIND[@N[-M]]] (e.g. install:kill@40-60) walks
// the points named; LYN_FAULT_SAMPLE=N (default 12) and LYN_FAULT_SEED=S
// (default: the clock) draw the sample; LYN_FAULT_JOBS=N walks N at once.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/host_faults.h"
#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/machine.h"

namespace lyn::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using sim::FaultKind;

constexpr const char* kEntryKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67";
const std::set<std::string> kFileSections{"[SYSTEM]", "[COMMON]", "[AP]", "[WINDOWS]", "[APM]"};
constexpr const char* kRemoved = "Lynwood Catalog Suite 6.7 was removed.";
constexpr const char* kPhases[] = {"install", "uninstall"};
constexpr const char* kKinds[] = {"", "enospc", "eio", "kill"};  // by FaultKind

enum class Phase { Install, Uninstall };

struct Point {
  Phase phase;
  FaultKind kind;
  std::uint64_t at;

  std::string PhaseText() const { return kPhases[static_cast<int>(phase)]; }
  std::string Kind() const { return kKinds[static_cast<int>(kind)]; }
  std::string Plan() const { return Kind() + "@" + std::to_string(at); }
  std::string Name() const { return PhaseText() + ":" + Plan(); }
};

// Which points LYN_FAULT_WALK names: "all" or "PHASE[:KIND[@FROM[-TO]]]".
std::function<bool(const Point&)> ParseWalk(const std::string& text) {
  if (text == "all") return [](const Point&) { return true; };
  static const std::regex form(
      "(install|uninstall)(?::(enospc|eio|kill)(?:@(\\d+)(?:-(\\d+))?)?)?");
  std::smatch part;
  if (!std::regex_match(text, part, form)) {
    throw std::runtime_error("LYN_FAULT_WALK '" + text +
                             "' is neither all nor PHASE[:KIND[@N[-M]]]");
  }
  const std::string phase = part[1];
  const std::string kind = part[2];
  const std::uint64_t from = part[3].matched ? std::stoull(part[3]) : 1;
  const std::uint64_t to = part[4].matched   ? std::stoull(part[4])
                           : part[3].matched ? from
                                             : UINT64_MAX;
  return [=](const Point& point) {
    return point.PhaseText() == phase && (kind.empty() || point.Kind() == kind) &&
           point.at >= from && point.at <= to;
  };
}

std::uint64_t Setting(const char* name, std::uint64_t otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::stoull(text) : otherwise;
}

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Ran {
  int status = -1;      // the exit status, or -1 when killed
  bool killed = false;  // ended by SIGKILL
  std::string out;
  std::string err;
};

// Runs lynsim with `args`, LYNSIM_FAULT set to `fault` when it is not empty;
// the shell hands its process over to lynsim, so a kill is seen as lynsim's.
Ran Lynsim(const std::vector<std::string>& args, const std::string& fault, const fs::path& work) {
  std::string command = "exec env -u LYNSIM_FAULT ";
  if (!fault.empty()) command += "'LYNSIM_FAULT=" + fault + "' ";
  command += LYNSIM_PATH;
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + (work / "out").string() + "' 2>'" + (work / "err").string() + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, WIFSIGNALED(raw) && WTERMSIG(raw) == SIGKILL,
          ReadText(work / "out"), ReadText(work / "err")};
}

std::string IntegrityOf(const fs::path& machine) {
  sqlite3* db = nullptr;
  sqlite3_stmt* statement = nullptr;
  std::string result = "cannot be opened";
  if (sqlite3_open_v2((machine / "state.db").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
      SQLITE_OK) {
    const bool ran =
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW;
    result =
        ran ? reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)) : sqlite3_errmsg(db);
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return result;
}

// What a whole install does to the default machine, walked once beforehand.
struct Reference {
  std::uint64_t calls[2] = {};           // host calls of the install and of the uninstall
  std::vector<std::string> placedFiles;  // every file the copy phase placed
  // The bytes of each file and shortcut the install placed, by folded path.
  std::map<std::string, std::string> bytes;
};

struct Verdict {
  std::string struck;               // what the fault hit, as lynsim said it
  std::vector<std::string> faults;  // empty: passed
  bool damagedSharedFile = false;   // a kept shared file is not the whole product file
};

// A shortcut's bytes without the times of its target, which it records
// (the link header's three FILETIMEs): two runs place the target anew.
std::string WithoutTimes(std::string bytes, const std::string& path) {
  constexpr std::size_t kTimes = 0x1C;
  constexpr std::size_t kTimesSize = 3 * 8;
  if (path.ends_with(".lnk") && bytes.size() >= kTimes + kTimesSize) {
    bytes.replace(kTimes, kTimesSize, kTimesSize, '\0');
  }
  return bytes;
}

class FaultWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("lyn-fault-walk-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    ASSERT_EQ(Lynsim({"new", Before().string()}, "", root_).status, 0);
    Copy(Before(), Compared());
    Copy(Before(), Installed());
    const Ran install = Counted(Phase::Install, Installed());
    ASSERT_EQ(install.status, 0) << install.err;
    const Json record = Json::parse(install.out);
    const sim::Machine installed = sim::Machine::Open(Installed());
    for (const Json& entry : record["log"]["entries"]) {
      const std::string section = entry["section"];
      const std::string item = entry["item"];
      if (kFileSections.contains(section)) reference_.placedFiles.push_back(item);
      if (kFileSections.contains(section) || section.ends_with(" SHORTCUT]")) {
        reference_.bytes[sim::FoldCase(item)] = ReadText(sim::HostPathOf(installed, item));
      }
    }
    Copy(Installed(), root_ / "count" / "machine");
    ASSERT_EQ(Counted(Phase::Uninstall, root_ / "count" / "machine").status, 0);
    fs::remove_all(root_ / "count");
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Before() const { return root_ / "before"; }
  // The same machine, for lynsim diff: a machine being compared is opened,
  // which makes and removes files in it that a copy must not meet.
  fs::path Compared() const { return root_ / "compared"; }
  fs::path Installed() const { return root_ / "installed"; }

  // Whichever way an install ends, its script fits it: Finish is clicked, a
  // fatal box answered.
  static std::vector<std::string> Args(Phase phase, const fs::path& machine) {
    if (phase == Phase::Uninstall) return {"uninstall", machine.string(), "--yes"};
    return {"run",   machine.string(), "--headless", "--click", "lblAcceptYes", "--click",
            "cmdOK", "--click",        "cmdExit",    "--yes",   "--json"};
  }
  static void Copy(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy(from, to, fs::copy_options::recursive);
  }
  // Runs the phase on `machine`, its host calls counted into the reference.
  Ran Counted(Phase phase, const fs::path& machine) {
    const Ran ran = Lynsim(Args(phase, machine), "count:" + (root_ / "n").string(), root_);
    std::ifstream(root_ / "n", std::ios::binary)
        .read(reinterpret_cast<char*>(&reference_.calls[static_cast<int>(phase)]),
              sizeof reference_.calls[0]);
    return ran;
  }
  std::vector<std::string> Diff(const fs::path& machine) const {
    std::istringstream out(
        Lynsim({"diff", Compared().string(), machine.string()}, "", machine.parent_path()).out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    return lines;
  }

  std::vector<Point> Points() const {
    const char* walk = std::getenv("LYN_FAULT_WALK");
    const auto chosen = walk != nullptr ? ParseWalk(walk) : nullptr;
    // Without a walk named, as many points of each phase and kind, drawn with the seed.
    const auto seed = static_cast<unsigned>(
        Setting("LYN_FAULT_SEED", std::chrono::system_clock::now().time_since_epoch().count()));
    const std::uint64_t each = std::max<std::uint64_t>(1, Setting("LYN_FAULT_SAMPLE", 12) / 6);
    if (!chosen) {
      std::cout << "fault walk: seed " << seed << " (LYN_FAULT_SEED=" << seed
                << " walks the same sample)\n";
    }
    std::mt19937 random(seed);
    std::vector<Point> points;
    for (const Phase phase : {Phase::Install, Phase::Uninstall}) {
      for (const FaultKind kind : {FaultKind::NoSpace, FaultKind::IoError, FaultKind::Kill}) {
        std::vector<Point> all;
        for (std::uint64_t at = 1; at <= reference_.calls[static_cast<int>(phase)]; ++at)
          all.push_back({phase, kind, at});
        if (chosen) {
          std::copy_if(all.begin(), all.end(), std::back_inserter(points), chosen);
        } else {
          std::sample(all.begin(), all.end(), std::back_inserter(points), each, random);
        }
      }
    }
    return points;
  }

  // Whether the file at `path` on `machine` is the one the whole install placed.
  bool Whole(const sim::Machine& machine, const std::string& path) const {
    const auto placed = reference_.bytes.find(sim::FoldCase(path));
    const fs::path here = sim::HostPathOf(machine, path);
    std::error_code error;
    return placed != reference_.bytes.end() && fs::is_regular_file(here, error) &&
           WithoutTimes(ReadText(here), path) == WithoutTimes(placed->second, path);
  }

  void CheckInstallRecord(const Ran& run, const fs::path& folder,
                          std::vector<std::string>& faults) const {
    Json record;
    try {
      record = Json::parse(run.out);
    } catch (const Json::exception&) {
      // A run the machine failed under ends with a message, and no record.
      if (run.status != 1) faults.push_back("no record, exit status " + std::to_string(run.status));
      return;
    }
    const int status = record["ending"]["status"];
    const std::string reason = record["ending"]["reason"];
    if (status != run.status) {
      faults.push_back("the record says status " + std::to_string(status) +
                       ", the exit status is " + std::to_string(run.status));
    }
    const sim::Machine machine = sim::Machine::Open(folder);
    const std::vector<std::string> diff = Diff(folder);
    // The setup program takes the entry as written when its publisher reads back.
    const bool entryWritten = std::any_of(diff.begin(), diff.end(), [](const std::string& line) {
      return line.starts_with(std::string("value added: ") + kEntryKey + " \"Publisher\"=");
    });
    for (const Json& entry : record["log"].is_null() ? Json::array() : record["log"]["entries"]) {
      const std::string item = entry["item"];
      const std::string section = entry["section"];
      // Each line is judged by what it names, not by its section: a section's
      // header lost to the fault files its lines under the section before.
      // A registration is "Successful" once its entry point returned,
      // whatever it answered, so it says nothing of the machine.
      const bool placed = reference_.bytes.contains(sim::FoldCase(item));
      const bool namesEntry = !item.empty() && std::string_view(kEntryKey).ends_with(item);
      if (entry["outcome"] == "Successful" &&
          ((placed && !Whole(machine, item)) || (namesEntry && !entryWritten))) {
        faults.push_back("logged " + section + " " + item + " Successful, which it is not");
      }
    }
    for (const Json& row : record["rows"]) {
      if (row["name"] == "uninstall entry" && row["result"] == "done" && !entryWritten) {
        faults.push_back("the uninstall entry is ticked but not there");
      }
    }
    if (status == 0 && reason == "Finish") {
      const std::vector<std::string> named = record["failedFiles"];
      for (const std::string& file : reference_.placedFiles) {
        if (!Whole(machine, file) && std::find(named.begin(), named.end(), file) == named.end()) {
          faults.push_back("ended at Finish with status 0 without naming " + file);
        }
      }
    }
  }

  // What differs from before the install but is not kept by design.
  std::vector<std::string> Leftovers(const fs::path& folder, bool& damagedShared) const {
    const sim::Machine machine = sim::Machine::Open(folder);
    const sim::Profile& profile = machine.profile();
    const std::string shared = profile.CommonFiles + "\\Microsoft Shared";
    const std::string dao = shared + "\\DAO";
    std::vector<std::string> left;
    for (const std::string& line : Diff(folder)) {
      // "CHANGE: PATH (what it is)", PATH in the system or DAO folder or not.
      const std::size_t colon = line.find(": ");
      const std::string change = line.substr(0, colon);
      const std::string path = line.substr(colon + 2, line.find(" (") - colon - 2);
      const bool inShared =
          path.starts_with(profile.SystemDirectory + "\\") || path.starts_with(dao + "\\");
      const bool file = inShared && (change == "file added" || change == "file changed");
      if (file) damagedShared = damagedShared || !Whole(machine, path);
      const bool kept = file || (inShared && change == "registration added") ||
                        line.starts_with("access ") || line == "folder added: " + shared ||
                        line == "folder added: " + dao;
      if (!kept) left.push_back(line);
    }
    return left;
  }

  Verdict Walk(const Point& point) const {
    const fs::path work = root_ / "points" / point.Name();
    const fs::path machine = work / "machine";
    Copy(point.phase == Phase::Install ? Before() : Installed(), machine);
    const Ran run = Lynsim(Args(point.phase, machine), point.Plan(), work);
    Verdict verdict;
    std::vector<std::string>& faults = verdict.faults;
    const std::size_t struck = run.err.find("lynsim: host fault: ");
    if (struck == std::string::npos) {
      faults.push_back("the fault was not reached");
    } else {
      verdict.struck = run.err.substr(struck + 20, run.err.find('\n', struck) - struck - 20);
    }
    if (const std::string integrity = IntegrityOf(machine); integrity != "ok") {
      faults.push_back("the state store fails its integrity check: " + integrity);
    } else {
      if (!run.killed && point.phase == Phase::Install) CheckInstallRecord(run, machine, faults);
      if (!run.killed && point.phase == Phase::Uninstall &&
          run.out.find("[OK] \"" + std::string(kRemoved)) != std::string::npos) {
        bool damaged = false;
        for (const std::string& line : Leftovers(machine, damaged)) {
          faults.push_back("said it was removed, but: " + line);
        }
      }
      Lynsim(Args(Phase::Uninstall, machine), "", work);
      for (const std::string& line : Leftovers(machine, verdict.damagedSharedFile)) {
        faults.push_back("left after the uninstaller: " + line);
      }
      if (faults.empty()) fs::remove_all(work);
    }
    return verdict;
  }

  fs::path root_;
  Reference reference_;
};

// One test walks them all, so that the machine before the install, the
// installed machine and the counts are made once.
TEST_F(FaultWalk, EveryFaultEndsTrueAndRepairable) {
  const std::vector<Point> points = Points();
  std::cout << "fault walk: " << reference_.calls[0] << " host calls in the install, "
            << reference_.calls[1] << " in the uninstall; walking " << points.size() << " points\n";
  struct Tally {
    int tried = 0, passed = 0, damaged = 0;
  };
  std::map<std::string, Tally> tallies;
  std::vector<std::string> failures;
  std::mutex lock;
  std::atomic<std::size_t> next{0};
  const std::uint64_t jobs = Setting("LYN_FAULT_JOBS", 1);
  const auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < points.size();) {
      const Point& point = points[i];
      Verdict verdict;
      try {
        verdict = Walk(point);
      } catch (const std::exception& e) {
        // A point the harness could not walk fails; the others go on.
        verdict.faults.push_back(std::string("not walked: ") + e.what());
      }
      const std::lock_guard held(lock);
      Tally& tally = tallies[point.PhaseText() + " " + point.Kind()];
      ++tally.tried;
      tally.passed += verdict.faults.empty();
      tally.damaged += verdict.damagedSharedFile;
      for (const std::string& fault : verdict.faults) {
        failures.push_back(point.Name() + " (" + verdict.struck + "): " + fault);
      }
    }
  };
  std::vector<std::thread> threads;
  for (std::uint64_t job = 1; job < jobs; ++job) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();

  for (const auto& [name, tally] : tallies) {
    std::cout << "fault walk: " << name << ": " << tally.passed << " of " << tally.tried
              << " points passed";
    if (tally.damaged > 0) std::cout << " (" << tally.damaged << " left a shared file unfinished)";
    std::cout << "\n";
  }
  for (const std::string& failure : failures) ADD_FAILURE() << failure;
  if (!failures.empty()) {
    std::cout << "fault walk: walk one point again with LYN_FAULT_WALK=PHASE:KIND@N and "
                 "--gtest_filter=FaultWalk.*\n";
  }
}

}  // namespace
}  // namespace lyn::testing
