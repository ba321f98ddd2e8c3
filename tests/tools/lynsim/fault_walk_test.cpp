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
//   LYN_FAULT_WALK=all                  every point
//   LYN_FAULT_WALK=install:kill@40-60   the points that match: a phase
//                                       (install, uninstall), then maybe a
//                                       kind (enospc, eio, kill), then maybe
//                                       a call or a range of calls
//   LYN_FAULT_SAMPLE=N                  points of the sample (default 12)
//   LYN_FAULT_SEED=S                    the sample's seed (default: the clock)
//   LYN_FAULT_JOBS=N                    points walked at once (default 1)
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/sim/machine/host_faults.h"
#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/machine.h"

extern char** environ;

namespace lyn::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using sim::FaultKind;

constexpr const char* kEntryKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67";
constexpr const char* kFileSections[] = {"[SYSTEM]", "[COMMON]", "[AP]", "[WINDOWS]", "[APM]"};
constexpr const char* kRemoved = "Lynwood Catalog Suite 6.7 was removed.";

enum class Phase { Install, Uninstall };

struct Point {
  Phase phase;
  FaultKind kind;
  std::uint64_t at;
};

const char* PhaseName(Phase phase) {
  return phase == Phase::Install ? "install" : "uninstall";
}

const char* KindName(FaultKind kind) {
  return kind == FaultKind::NoSpace ? "enospc" : kind == FaultKind::IoError ? "eio" : "kill";
}

std::string PlanText(const Point& point) {
  return std::string(KindName(point.kind)) + "@" + std::to_string(point.at);
}

std::string Name(const Point& point) {
  return std::string(PhaseName(point.phase)) + ":" + PlanText(point);
}

// Which points LYN_FAULT_WALK names: "PHASE[:KIND[@FROM[-TO]]]".
struct Filter {
  Phase phase = Phase::Install;
  std::optional<FaultKind> kind;
  std::uint64_t from = 1;
  std::uint64_t to = UINT64_MAX;

  bool Matches(const Point& point) const {
    return point.phase == phase && (!kind || point.kind == *kind) && point.at >= from &&
           point.at <= to;
  }
};

Filter ParseFilter(const std::string& text) {
  const auto refuse = [&]() -> Filter {
    throw std::runtime_error("LYN_FAULT_WALK '" + text +
                             "' is neither all nor PHASE[:KIND[@N[-M]]]");
  };
  Filter filter;
  const std::size_t colon = text.find(':');
  const std::string phase = text.substr(0, colon);
  if (phase != "install" && phase != "uninstall") return refuse();
  filter.phase = phase == "install" ? Phase::Install : Phase::Uninstall;
  if (colon == std::string::npos) return filter;
  std::string rest = text.substr(colon + 1);
  const std::size_t at = rest.find('@');
  const std::size_t dash = rest.find('-', at);
  const auto plan = sim::ParseFaultPlan(rest.substr(0, at) + "@1");
  if (!plan) return refuse();
  filter.kind = plan->kind;
  if (at == std::string::npos) return filter;
  try {
    filter.from = std::stoull(rest.substr(at + 1));
    filter.to = dash == std::string::npos ? filter.from : std::stoull(rest.substr(dash + 1));
  } catch (const std::exception&) {
    return refuse();
  }
  return filter;
}

bool IsFileSection(const std::string& section) {
  return std::find(std::begin(kFileSections), std::end(kFileSections), section) !=
         std::end(kFileSections);
}

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Ran {
  int status = -1;      // the exit status, or -1 when killed
  bool killed = false;  // ended by SIGKILL
  std::string out;
  std::string err;
};

// Runs lynsim with `args` in a child process, LYNSIM_FAULT set to `fault`
// when it is not empty; its outputs go through files in `work`.
Ran Lynsim(const std::vector<std::string>& args, const std::string& fault, const fs::path& work) {
  std::vector<std::string> words{LYNSIM_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (!std::string_view(*variable).starts_with("LYNSIM_FAULT="))
      variables.emplace_back(*variable);
  }
  if (!fault.empty()) variables.push_back("LYNSIM_FAULT=" + fault);
  std::vector<char*> envp;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);

  const fs::path out = work / "out";
  const fs::path err = work / "err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, LYNSIM_PATH, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start lynsim");
  int raw = 0;
  while (waitpid(child, &raw, 0) < 0 && errno == EINTR) {
  }
  Ran ran;
  ran.killed = WIFSIGNALED(raw) && WTERMSIG(raw) == SIGKILL;
  ran.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  ran.out = ReadText(out);
  ran.err = ReadText(err);
  return ran;
}

std::string IntegrityOf(const fs::path& machine) {
  sqlite3* db = nullptr;
  std::string result = "cannot be opened";
  if (sqlite3_open_v2((machine / "state.db").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
      SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
      result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    } else {
      result = sqlite3_errmsg(db);
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return result;
}

std::string Folded(std::string path) {
  for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return path;
}

// What a whole install does to the default machine, walked once beforehand.
struct Reference {
  std::uint64_t installCalls = 0;
  std::uint64_t uninstallCalls = 0;
  std::vector<std::string> placedFiles;  // every file the copy phase placed
  // The bytes of each file and shortcut the install placed, by folded path.
  std::map<std::string, std::string> bytes;
};

struct Verdict {
  std::string struck;               // what the fault hit, as lynsim said it
  std::vector<std::string> faults;  // empty: passed
  bool damagedSharedFile = false;   // a kept shared file is not the whole product file
};

class FaultWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("lyn-fault-walk-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    ASSERT_EQ(Lynsim({"new", Before().string()}, "", root_).status, 0);
    Copy(Before(), Compared());
    Copy(Before(), Installed());
    const Ran install = Lynsim(InstallArgs(Installed()), "count:" + (root_ / "n").string(), root_);
    ASSERT_EQ(install.status, 0) << install.err;
    reference_.installCalls = Count();
    const Json record = Json::parse(install.out);
    const sim::Machine installed = sim::Machine::Open(Installed());
    for (const Json& entry : record["log"]["entries"]) {
      const std::string section = entry["section"];
      const std::string item = entry["item"];
      if (IsFileSection(section)) reference_.placedFiles.push_back(item);
      if (IsFileSection(section) || section.ends_with(" SHORTCUT]")) {
        reference_.bytes[Folded(item)] = ReadText(sim::HostPathOf(installed, item));
      }
    }
    const fs::path work = root_ / "count";
    Copy(Installed(), work / "machine");
    ASSERT_EQ(
        Lynsim(UninstallArgs(work / "machine"), "count:" + (root_ / "n").string(), work).status, 0);
    reference_.uninstallCalls = Count();
    fs::remove_all(work);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Before() const { return root_ / "before"; }
  // The same machine, for lynsim diff: a machine being compared is opened,
  // which makes and removes files in it that a copy must not meet.
  fs::path Compared() const { return root_ / "compared"; }
  fs::path Installed() const { return root_ / "installed"; }

  static std::vector<std::string> InstallArgs(const fs::path& machine) {
    // Whichever way the run ends, the script fits it: Finish is clicked, a
    // fatal box answered.
    return {"run",   machine.string(), "--headless", "--click", "lblAcceptYes", "--click",
            "cmdOK", "--click",        "cmdExit",    "--yes",   "--json"};
  }
  static std::vector<std::string> UninstallArgs(const fs::path& machine) {
    return {"uninstall", machine.string(), "--yes"};
  }
  static void Copy(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy(from, to, fs::copy_options::recursive);
  }
  std::uint64_t Count() const {
    std::uint64_t calls = 0;
    std::ifstream(root_ / "n", std::ios::binary)
        .read(reinterpret_cast<char*>(&calls), sizeof calls);
    return calls;
  }
  std::vector<std::string> Diff(const fs::path& machine) const {
    return Lines(
        Lynsim({"diff", Compared().string(), machine.string()}, "", machine.parent_path()).out);
  }

  std::vector<Point> Points() const;
  Verdict Walk(const Point& point) const;
  void CheckInstallRecord(const Ran& run, const fs::path& machine,
                          std::vector<std::string>& faults) const;
  // What differs from before the install but is not kept by design.
  std::vector<std::string> Leftovers(const fs::path& machine, bool& damagedShared) const;
  // Whether the file at `path` on `machine` is the one the whole install placed.
  bool Whole(const sim::Machine& machine, const std::string& path) const;

  fs::path root_;
  Reference reference_;
};

std::vector<Point> FaultWalk::Points() const {
  std::vector<Point> all;
  for (const Phase phase : {Phase::Install, Phase::Uninstall}) {
    const std::uint64_t calls =
        phase == Phase::Install ? reference_.installCalls : reference_.uninstallCalls;
    for (const FaultKind kind : {FaultKind::NoSpace, FaultKind::IoError, FaultKind::Kill}) {
      for (std::uint64_t at = 1; at <= calls; ++at) all.push_back({phase, kind, at});
    }
  }
  if (const char* walk = std::getenv("LYN_FAULT_WALK")) {
    if (std::string(walk) == "all") return all;
    const Filter filter = ParseFilter(walk);
    std::erase_if(all, [&](const Point& point) { return !filter.Matches(point); });
    return all;
  }
  // As many points of each phase and kind, drawn with the seed.
  const char* seedText = std::getenv("LYN_FAULT_SEED");
  const unsigned seed =
      seedText != nullptr
          ? static_cast<unsigned>(std::stoul(seedText))
          : static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count());
  const char* sampleText = std::getenv("LYN_FAULT_SAMPLE");
  const std::size_t each =
      std::max<std::size_t>(1, (sampleText != nullptr ? std::stoul(sampleText) : 12) / 6);
  std::cout << "fault walk: seed " << seed << " (LYN_FAULT_SEED=" << seed
            << " walks the same sample)\n";
  std::mt19937 random(seed);
  std::vector<Point> sample;
  for (auto first = all.begin(); first != all.end();) {
    const auto last = std::find_if(first, all.end(), [&](const Point& p) {
      return p.phase != first->phase || p.kind != first->kind;
    });
    std::sample(first, last, std::back_inserter(sample), each, random);
    first = last;
  }
  return sample;
}

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

bool FaultWalk::Whole(const sim::Machine& machine, const std::string& path) const {
  const auto placed = reference_.bytes.find(Folded(path));
  const fs::path here = sim::HostPathOf(machine, path);
  std::error_code error;
  return placed != reference_.bytes.end() && fs::is_regular_file(here, error) &&
         WithoutTimes(ReadText(here), path) == WithoutTimes(placed->second, path);
}

void FaultWalk::CheckInstallRecord(const Ran& run, const fs::path& folder,
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
    faults.push_back("the record says status " + std::to_string(status) + ", the exit status is " +
                     std::to_string(run.status));
  }
  const sim::Machine machine = sim::Machine::Open(folder);
  const std::vector<std::string> diff = Diff(folder);
  // The setup program takes the entry as written when its publisher reads back.
  const bool entryWritten = std::any_of(diff.begin(), diff.end(), [](const std::string& line) {
    return line.starts_with(std::string("value added: ") + kEntryKey + " \"Publisher\"=");
  });
  if (!record["log"].is_null()) {
    std::string section;
    for (const Json& entry : record["log"]["entries"]) {
      const std::string item = entry["item"];
      section = entry["section"];
      if (entry["outcome"] != "Successful") continue;
      // A registration is "Successful" once its entry point returned,
      // whatever it answered, so it says nothing of the machine.
      const bool placed = IsFileSection(section) || section.ends_with(" SHORTCUT]");
      if ((placed && !Whole(machine, item)) || (section == "[UNINSTALL REG]" && !entryWritten)) {
        faults.push_back("logged " + section + " " + item + " Successful, which it is not");
      }
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

std::vector<std::string> FaultWalk::Leftovers(const fs::path& folder, bool& damagedShared) const {
  const sim::Machine machine = sim::Machine::Open(folder);
  const sim::Profile& profile = machine.profile();
  const std::string shared = profile.CommonFiles + "\\Microsoft Shared";
  const std::string dao = shared + "\\DAO";
  std::vector<std::string> left;
  for (const std::string& line : Diff(folder)) {
    // A shared file the line is about, after `change`.
    const auto sharedFile = [&](const std::string& change) -> std::optional<std::string> {
      if (!line.starts_with(change)) return std::nullopt;
      const std::string path = line.substr(change.size(), line.find(" (") - change.size());
      if (!path.starts_with(profile.SystemDirectory + "\\") && !path.starts_with(dao + "\\")) {
        return std::nullopt;
      }
      return path;
    };
    auto file = sharedFile("file added: ");
    if (!file) file = sharedFile("file changed: ");
    if (file) damagedShared = damagedShared || !Whole(machine, *file);
    const bool kept = file || sharedFile("registration added: ") || line.starts_with("access ") ||
                      line == "folder added: " + shared || line == "folder added: " + dao;
    if (!kept) left.push_back(line);
  }
  return left;
}

Verdict FaultWalk::Walk(const Point& point) const {
  const fs::path work = root_ / "points" / Name(point);
  const fs::path machine = work / "machine";
  Copy(point.phase == Phase::Install ? Before() : Installed(), machine);
  const std::vector<std::string> args =
      point.phase == Phase::Install ? InstallArgs(machine) : UninstallArgs(machine);
  const Ran run = Lynsim(args, PlanText(point), work);
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
    Lynsim(UninstallArgs(machine), "", work);
    for (const std::string& line : Leftovers(machine, verdict.damagedSharedFile)) {
      faults.push_back("left after the uninstaller: " + line);
    }
    if (faults.empty()) fs::remove_all(work);
  }
  return verdict;
}

// One test walks them all, so that the machine before the install, the
// installed machine and the counts are made once.
TEST_F(FaultWalk, EveryFaultEndsTrueAndRepairable) {
  const std::vector<Point> points = Points();
  std::cout << "fault walk: " << reference_.installCalls << " host calls in the install, "
            << reference_.uninstallCalls << " in the uninstall; walking " << points.size()
            << " points\n";
  struct Tally {
    int tried = 0;
    int passed = 0;
    int damaged = 0;
  };
  std::map<std::string, Tally> tallies;
  std::vector<std::string> failures;
  std::mutex lock;
  std::atomic<std::size_t> next{0};
  const char* jobsText = std::getenv("LYN_FAULT_JOBS");
  const int jobs = std::max(1, jobsText != nullptr ? std::atoi(jobsText) : 1);
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
      Tally& tally = tallies[std::string(PhaseName(point.phase)) + " " + KindName(point.kind)];
      ++tally.tried;
      tally.passed += verdict.faults.empty();
      tally.damaged += verdict.damagedSharedFile;
      for (const std::string& fault : verdict.faults) {
        failures.push_back(Name(point) + " (" + verdict.struck + "): " + fault);
      }
    }
  };
  std::vector<std::thread> threads;
  for (int job = 1; job < jobs; ++job) threads.emplace_back(work);
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
