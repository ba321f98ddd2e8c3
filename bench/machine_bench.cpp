// How the emulated machine's file lookups compare with the host's own.
//
// For folders of 1,000, 10,000 and 100,000 files it times, per entry, a
// listing through the emulated FindFirstFileA/FindNextFileA, a lookup of every
// name (in another case) through GetFileAttributesA, and on the same folder
// the host's own work: a readdir listing, a readdir listing that also stats
// every entry (a listing that tells sizes and times, as Find does), and an
// fstatat of every name. Then it times `lynsim survey` on machines whose
// system folder holds 0, 2,500 and 20,000 extra files put there on the host.
//
// Other work on the host only ever adds time, so each figure is the fastest
// of several runs, the emulated and the host's runs taking turns.
//
// It prints one line per figure for bench/print_table.sh:
//   result <TAB> what <TAB> figure <TAB> unit <TAB> peer <TAB> peer's figure <TAB> goal
//
// usage: machine_bench [LYNSIM]   (LYNSIM defaults to the lynsim built with it)
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/sim_platform.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace lyn;

constexpr int kRuns = 5;
constexpr int kSurveyRuns = 9;

class QuietHost : public sim::ProcessHost {
 public:
  int MessageBox(win::HWND, const std::string&, const std::string&, win::UINT) override {
    return 1;
  }
  void SetTopmost(win::HWND) override {}
  [[noreturn]] void EndProcess(win::UINT exitCode) override {
    throw std::runtime_error("the process ended with " + std::to_string(exitCode));
  }
};

// A fresh machine folder that goes at the end.
class TempMachine {
 public:
  TempMachine() {
    std::string pattern = (fs::temp_directory_path() / "lyn-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    folder_ = pattern;
  }
  ~TempMachine() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  TempMachine(const TempMachine&) = delete;
  TempMachine& operator=(const TempMachine&) = delete;
  fs::path machine() const { return folder_ / "machine"; }

 private:
  fs::path folder_;
};

void Result(const std::string& what, double figure, const char* unit, const std::string& peer,
            double peerFigure, const char* goal) {
  std::printf("result\t%s\t%.4g\t%s\t%s\t%.4g\t%s\n", what.c_str(), figure, unit, peer.c_str(),
              peerFigure, goal);
  std::fflush(stdout);
}

std::string Thousands(int n) {
  const std::string digits = std::to_string(n);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

// The fastest of `runs` timings of each task, the tasks taking turns.
std::vector<double> Fastest(int runs, const std::vector<std::function<void()>>& tasks) {
  std::vector<double> best(tasks.size(), std::numeric_limits<double>::infinity());
  for (int run = 0; run < runs; ++run) {
    for (std::size_t i = 0; i < tasks.size(); ++i) {
      const auto start = Clock::now();
      tasks[i]();
      best[i] = std::min(best[i], std::chrono::duration<double>(Clock::now() - start).count());
    }
  }
  return best;
}

// Makes `count` empty files in a host folder: "file000001.dat", ...
std::vector<std::string> Fill(const fs::path& folder, int count) {
  fs::create_directories(folder);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "file%06d.dat", i);
    const int fd = ::open((folder / name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot make " + (folder / name).string());
    ::close(fd);
    names.emplace_back(name);
  }
  return names;
}

// The host's listing of a folder; with `stat`, each entry is asked about too.
std::size_t HostListing(const fs::path& folder, bool stat) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) throw std::runtime_error("cannot list " + folder.string());
  std::size_t count = 0;
  struct stat status {};
  while (const dirent* entry = ::readdir(dir)) {
    if (stat && ::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
      throw std::runtime_error("cannot stat " + std::string(entry->d_name));
    }
    ++count;
  }
  ::closedir(dir);
  return count;
}

void BenchFolder(int count) {
  TempMachine scratch;
  QuietHost quiet;
  sim::SimPlatform sim(sim::Machine::Create(scratch.machine(), sim::Profile{}), quiet);
  const fs::path host = scratch.machine() / "drives" / "C" / "Big";
  const std::vector<std::string> names = Fill(host, count);
  std::vector<std::string> upper;
  for (const std::string& name : names) {
    std::string path = "C:\\Big\\" + name;
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    upper.push_back(path);
  }
  win::Kernel32& kernel32 = sim.platform().kernel32;
  const int folder = ::open(host.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);

  std::size_t listed = 0;
  std::size_t found = 0;
  std::size_t hostListed = 0;
  std::size_t hostFound = 0;
  const std::vector<double> best = Fastest(
      kRuns, {[&] {
                win::WIN32_FIND_DATAA data{};
                const win::HANDLE search = kernel32.FindFirstFileA("C:\\Big\\*", &data);
                listed = search == win::INVALID_HANDLE_VALUE ? 0 : 1;
                while (listed > 0 && kernel32.FindNextFileA(search, &data)) ++listed;
                kernel32.FindClose(search);
              },
              [&] { hostListed = HostListing(host, false); },
              [&] { hostListed = HostListing(host, true); },
              [&] {
                found = 0;
                for (const std::string& path : upper) {
                  if (kernel32.GetFileAttributesA(path.c_str()) != win::INVALID_FILE_ATTRIBUTES)
                    ++found;
                }
              },
              [&] {
                hostFound = 0;
                struct stat status {};
                for (const std::string& name : names) {
                  if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
                    ++hostFound;
                }
              }});
  ::close(folder);
  if (listed != names.size() + 2 || found != names.size() || hostListed != names.size() + 2 ||
      hostFound != names.size()) {
    throw std::runtime_error("the folder of " + std::to_string(count) + " files was not all seen");
  }
  const double us = 1e6 / count;
  const std::string files = Thousands(count) + " files";
  Result("FindFirstFileA/FindNextFileA per entry, " + files, best[0] * us, "us",
         "readdir + fstatat per entry", best[2] * us, "5");
  Result("FindFirstFileA/FindNextFileA per entry, " + files, best[0] * us, "us",
         "readdir per entry", best[1] * us, "-");
  Result("GetFileAttributesA per name, " + files, best[3] * us, "us", "fstatat per name",
         best[4] * us, "5");
}

// Runs a command and waits for it; its output goes nowhere.
void Run(const std::vector<std::string>& command) {
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("'" + command[0] + " " + command[1] + "' failed");
  }
}

double Seconds(const std::function<void()>& task) {
  const auto start = Clock::now();
  task();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BenchSurvey(const std::string& lynsim) {
  const std::vector<int> counts = {0, 2'500, 20'000};
  std::vector<std::unique_ptr<TempMachine>> machines;
  std::vector<std::function<void()>> surveys;
  for (const int count : counts) {
    machines.push_back(std::make_unique<TempMachine>());
    const std::string machine = machines.back()->machine().string();
    Run({lynsim, "new", machine});
    const sim::Machine opened = sim::Machine::Open(machine);
    Fill(sim::HostPathOf(opened, opened.profile().SystemDirectory), count);
    surveys.emplace_back([lynsim, machine] { Run({lynsim, "survey", machine}); });
  }
  // The first survey after files were added on the host reads the folder
  // once; the runs after it are the machine's ordinary state.
  const double first = Seconds(surveys.back());
  const std::vector<double> best = Fastest(kSurveyRuns, surveys);
  for (std::size_t i = 1; i < counts.size(); ++i) {
    Result("lynsim survey, " + Thousands(counts[i]) + " extra system files", best[i], "s",
           "lynsim survey, no extra files", best[0], "1.2");
  }
  Result("first lynsim survey after " + Thousands(counts.back()) + " files came on the host", first,
         "s", "lynsim survey, no extra files", best[0], "-");
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string lynsim = argc > 1 ? argv[1] : LYNSIM_PATH;
    for (const int count : {1'000, 10'000, 100'000}) BenchFolder(count);
    BenchSurvey(lynsim);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "machine_bench: %s\n", e.what());
    return 1;
  }
}
