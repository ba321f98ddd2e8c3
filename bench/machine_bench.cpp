// How the emulated machine's file lookups scale with the size of a folder.
//
// For folders of 1,000, 10,000 and 100,000 files it times, per entry, a
// listing through the emulated FindFirstFileA/FindNextFileA, a lookup of every
// name (in another case) through GetFileAttributesA, and the host's own
// listing of the same folder with readdir, and prints the ratios. Then it
// times `lynsim survey` on machines whose system folder holds 0, 2,500 and
// 20,000 extra files, against the empty one: wall-clock time, and the CPU
// time the survey's process used, which other work on the host disturbs
// less.
//
// usage: machine_bench [LYNSIM]   (LYNSIM defaults to the lynsim built with it)
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/sim_platform.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace lyn;

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
  fs::path machine() const { return folder_ / "machine"; }

 private:
  fs::path folder_;
};

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
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

std::size_t HostListing(const fs::path& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) throw std::runtime_error("cannot list " + folder.string());
  std::size_t count = 0;
  while (::readdir(dir) != nullptr) ++count;
  ::closedir(dir);
  return count;
}

void BenchFolder(int count) {
  TempMachine scratch;
  QuietHost quiet;
  sim::SimPlatform sim(sim::Machine::Create(scratch.machine(), sim::Profile{}), quiet);
  const std::vector<std::string> names = Fill(scratch.machine() / "drives" / "C" / "Big", count);
  win::Kernel32& kernel32 = sim.platform().kernel32;

  auto start = Clock::now();
  win::WIN32_FIND_DATAA data{};
  const win::HANDLE search = kernel32.FindFirstFileA("C:\\Big\\*", &data);
  std::size_t listed = search == win::INVALID_HANDLE_VALUE ? 0 : 1;
  while (listed > 0 && kernel32.FindNextFileA(search, &data)) ++listed;
  kernel32.FindClose(search);
  const double find = Seconds(start);

  start = Clock::now();
  std::size_t found = 0;
  for (std::string name : names) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const std::string path = "C:\\Big\\" + name;
    if (kernel32.GetFileAttributesA(path.c_str()) != win::INVALID_FILE_ATTRIBUTES) ++found;
  }
  const double attributes = Seconds(start);

  start = Clock::now();
  const std::size_t hostListed = HostListing(scratch.machine() / "drives" / "C" / "Big");
  const double host = Seconds(start);

  if (listed != names.size() + 2 || found != names.size() || hostListed != names.size() + 2) {
    throw std::runtime_error("the folder of " + std::to_string(count) + " files was not all seen");
  }
  const double perEntry = 1e6 / count;
  std::printf(
      "%7d files  Find*: %8.3f us/entry  GetFileAttributesA: %8.3f us/entry  "
      "readdir: %7.3f us/entry  ratios %6.0fx %6.0fx\n",
      count, find * perEntry, attributes * perEntry, host * perEntry, find / host,
      attributes / host);
}

struct Timing {
  double wall = 0;
  double cpu = 0;  // user and system time of the command's process
};

double CpuSeconds(const rusage& usage) {
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs a command and waits for it; its output goes nowhere.
Timing Run(const std::vector<std::string>& command) {
  const auto start = Clock::now();
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
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("'" + command[0] + " " + command[1] + "' failed");
  }
  return Timing{Seconds(start), CpuSeconds(usage)};
}

Timing SurveyTiming(const std::string& lynsim, int extraFiles) {
  TempMachine scratch;
  const std::string machine = scratch.machine().string();
  Run({lynsim, "new", machine});
  const sim::Machine opened = sim::Machine::Open(machine);
  Fill(lyn::sim::HostPathOf(opened, opened.profile().SystemDirectory), extraFiles);
  return Run({lynsim, "survey", machine});
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string lynsim = argc > 1 ? argv[1] : LYNSIM_PATH;
    for (const int count : {1'000, 10'000, 100'000}) BenchFolder(count);
    const Timing empty = SurveyTiming(lynsim, 0);
    for (const int count : {0, 2'500, 20'000}) {
      const Timing t = count == 0 ? empty : SurveyTiming(lynsim, count);
      std::printf(
          "lynsim survey, %5d extra files in the system folder: %7.3f s (%.2fx empty)  "
          "CPU %7.3f s (%.2fx empty)\n",
          count, t.wall, t.wall / empty.wall, t.cpu, t.cpu / empty.cpu);
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "machine_bench: %s\n", e.what());
    return 1;
  }
}
