#include "matrix_combination.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cmd_acl.h"
#include "install_layout.h"
#include "machine_diff.h"
#include "platform/api/advapi32_security.h"
#include "platform/sim/files/file_layer.h"
#include "platform/sim/machine/demo_files.h"
#include "platform/sim/machine/host_view.h"
#include "platform/sim/run/run_program.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/security_model.h"
#include "product_uninstaller.h"
#include "run_report.h"
#include "text_file.h"
#include "uninstall/install_places.h"
#include "uninstall/uninstaller.h"
#include "window_module_loader.h"

namespace lyn::lynsim {
namespace {

namespace fs = std::filesystem;
namespace files = combination_files;

// What the default person does on the setup window.
const std::vector<std::string> kClicks = {"lblAcceptYes", "cmdOK", "cmdExit"};

void WriteLines(const fs::path& file, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  WriteTextFile(file, text);
}

int OpenForWriting(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot write " + file.string());
  return fd;
}

// Runs `body` in a child process whose standard output and error go to the
// two files, and waits for it: its exit status, or 128 and the signal that
// ended it. The program runs end the process inside `body`.
int InChild(const fs::path& out, const fs::path& errors, const std::function<void()>& body) {
  const int outFd = OpenForWriting(out);
  const int errorFd = OpenForWriting(errors);
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("cannot start a process");
  if (child == 0) {
    ::dup2(outFd, STDOUT_FILENO);
    ::dup2(errorFd, STDERR_FILENO);
    try {
      body();
    } catch (const std::exception& e) {
      std::cerr << "lynsim: " << e.what() << std::endl;
    }
    std::_Exit(sim::kRunFailed);
  }
  ::close(outFd);
  ::close(errorFd);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A process of the machine holding the files open, as a running program
// holds its image, until it is killed. Returns once the files are held.
class FileHolder {
 public:
  FileHolder(const fs::path& machineFolder, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("cannot start a process");
    if (pid_ == 0) {
      ::close(ready[0]);
      std::string answer = "+";
      std::vector<sim::OpenedFile> held(paths.size());
      try {
        const sim::Machine machine = sim::Machine::Open(machineFolder);
        const sim::FileLayer layer(machine);
        for (std::size_t i = 0; i < paths.size(); ++i) {
          if (layer.Open(machine.Resolve(paths[i]), win::GENERIC_READ | win::GENERIC_EXECUTE,
                         sim::FILE_SHARE_READ, win::OPEN_EXISTING, 0,
                         held[i]) != win::ERROR_SUCCESS) {
            answer = "cannot hold " + paths[i] + " open";
          }
        }
        if (::write(ready[1], answer.data(), answer.size()) < 0 || answer != "+") std::_Exit(1);
        for (;;) ::pause();
      } catch (const std::exception& e) {
        answer = e.what();
        if (::write(ready[1], answer.data(), answer.size()) < 0) std::_Exit(1);
      }
      std::_Exit(1);
    }
    ::close(ready[1]);
    std::string answer;
    char buffer[256];
    for (ssize_t got; (got = ::read(ready[0], buffer, sizeof buffer)) > 0;) {
      answer.append(buffer, static_cast<std::size_t>(got));
      if (answer == "+") break;
    }
    ::close(ready[0]);
    if (answer != "+") {
      Release();
      throw std::runtime_error(answer.empty() ? "the process holding the files ended" : answer);
    }
  }
  FileHolder(const FileHolder&) = delete;
  FileHolder& operator=(const FileHolder&) = delete;
  ~FileHolder() { Release(); }

  void Release() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0) {
    }
    pid_ = 0;
  }

 private:
  pid_t pid_ = 0;
};

void MakeMachine(const CombinationRun& run, const fs::path& machineFolder) {
  const sim::Machine machine = sim::Machine::Create(machineFolder, run.plan.profile);
  PlaceDemoFiles(machine, ProductFolder());
  for (const auto& [path, sddl] : run.plan.security) SetSecurity(machine, path, sddl);
  for (const auto& [path, source] : run.plan.placed) {
    const fs::path target = sim::HostPathOf(machine, path);
    fs::create_directories(target.parent_path());
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
  }
}

[[noreturn]] void RunInstall(const CombinationRun& run, const fs::path& machineFolder) {
  sim::Machine machine = sim::Machine::Open(machineFolder);
  sim::Script script;
  script.clicks = kClicks;
  script.agree = true;
  sim::BackendFactory backend = sim::HeadlessBackend(script);
  if (run.pictures) {
    // Each picture on a private display of the machine's screen size, never
    // on the person's desktop.
    ::unsetenv("DISPLAY");
    backend = LoadWindowModule().chooseBackend(sim::fltk::DisplayChoice::Auto, script,
                                               (run.folder / files::kPictures).string() + "/",
                                               machine.profile(), std::cerr);
  }
  static std::ofstream record(run.folder / files::kRecord);
  const sim::RunReporting reporting{true, ReportRun(machine, RunOutput::Json, record)};
  sim::RunProgram(std::move(machine), backend, reporting);
}

[[noreturn]] void RunUninstall(const CombinationRun& run, const fs::path& machineFolder) {
  sim::Machine machine = sim::Machine::Open(machineFolder);
  sim::Script script;
  script.agree = true;
  static std::ofstream record(run.folder / files::kUninstallRecord);
  const sim::RunReporting reporting{true, ReportRun(machine, RunOutput::Json, record)};
  sim::RunProgram(
      std::move(machine), sim::HeadlessBackend(script),
      [](Platform& platform) { uninstall::RunUninstall(platform); }, reporting);
}

// The program folder the install's log names first, if it wrote one.
std::string ProgramFolder(const fs::path& record) {
  const nlohmann::json run =
      nlohmann::json::parse(ReadTextFile(record).value_or(""), nullptr, false);
  if (run.is_discarded() || !run.contains("log") || !run["log"].is_object()) return "";
  for (const auto& entry : run["log"]["entries"]) {
    if (entry["section"] == "[PROGRAM FILE FOLDER]") return entry["item"];
  }
  return "";
}

// Both logs as the install left them, in UTF-8.
void KeepLogs(const sim::Machine& machine, const fs::path& folder, const std::string& program) {
  const sim::Profile& profile = machine.profile();
  std::vector<std::string> logs = {profile.WindowsDirectory + "\\" +
                                   std::string(uninstall::kUninstallLogName)};
  if (!program.empty()) logs.push_back(program + "\\" + std::string(uninstall::kInstallLogName));
  fs::create_directories(folder);
  for (const std::string& log : logs) {
    const sim::ResolvedPath resolved = machine.Resolve(log);
    if (!resolved.exists || resolved.folder) continue;
    const std::string name = log.substr(log.rfind('\\') + 1);
    WriteTextFile(folder / (name + ".txt"),
                  machine.AnsiToUtf8(ReadTextFile(sim::HostPathOf(machine, log)).value_or("")));
  }
}

// The grants the install made to the Users group: the entries it added to
// the lists of objects that were there before, and the Users group's own
// (not inherited) entries on the folders it made.
std::vector<std::string> Grants(const sim::Machine& machine,
                                const std::vector<std::string>& installDiff) {
  const sim::Profile& profile = machine.profile();
  const std::string users = sim::AccountText(profile, sim::UsersSid()) + ":";
  const std::string accessAdded = "access added: ";
  const std::string folderAdded = "folder added: ";
  const sim::SecurityModel model(machine);
  std::vector<std::string> grants;
  for (const std::string& line : installDiff) {
    if (line.starts_with(accessAdded)) {
      const std::string what = line.substr(accessAdded.size());
      const auto entry = what.find(": ");
      if (entry != std::string::npos && what.compare(entry + 2, users.size(), users) == 0) {
        grants.push_back(what);
      }
    } else if (line.starts_with(folderAdded)) {
      const std::string path = line.substr(folderAdded.size());
      const sim::SecuredObject folder = model.Find(sim::ObjectKind::File, path);
      if (!folder.hasLists) continue;
      for (const sim::Ace& ace : model.DescriptorOf(folder).dacl.value_or(sim::Acl{})) {
        if ((ace.flags & win::INHERITED_ACE) == 0 && ace.sid == sim::UsersSid() &&
            ace.type == win::ACCESS_ALLOWED_ACE_TYPE) {
          grants.push_back(path + ": " + AccessEntryText(profile, ace, sim::RightsKind::File));
        }
      }
    }
  }
  return grants;
}

void Steps(const CombinationRun& run) {
  const fs::path machineFolder = run.machines / files::kMachine;
  const fs::path before = run.machines / files::kBefore;
  const auto step = [&](const std::string& what) {
    WriteTextFile(run.folder / files::kStep, what);
  };

  step("making the machine");
  MakeMachine(run, machineFolder);
  fs::copy(machineFolder, before, fs::copy_options::recursive);

  step("the install");
  {
    const FileHolder holder(machineFolder, run.plan.held);
    InChild(run.folder / files::kTranscript, run.folder / files::kErrors,
            [&] { RunInstall(run, machineFolder); });
  }

  step("reading what the install did");
  bool uninstallable = true;
  {
    const sim::Machine machine = sim::Machine::Open(machineFolder);
    KeepLogs(machine, run.folder / files::kLogs, ProgramFolder(run.folder / files::kRecord));
    const std::vector<std::string> installDiff = DiffMachines(sim::Machine::Open(before), machine);
    WriteLines(run.folder / files::kInstallDiff, installDiff);
    WriteLines(run.folder / files::kGrants, Grants(machine, installDiff));
    std::ostringstream notes;
    try {
      FindUninstaller(machine, notes);
    } catch (const std::runtime_error& e) {
      notes << "lynsim: " << e.what() << "\n";
      uninstallable = false;
    }
    WriteTextFile(run.folder / files::kUninstallNotes, notes.str());
  }

  if (uninstallable) {
    step("the uninstall");
    InChild(run.folder / files::kUninstallTranscript, run.folder / files::kUninstallErrors,
            [&] { RunUninstall(run, machineFolder); });
  }

  step("comparing the machine with its copy from before the install");
  WriteLines(run.folder / files::kDiff,
             DiffMachines(sim::Machine::Open(before), sim::Machine::Open(machineFolder)));
  if (!run.keepMachines) {
    fs::remove_all(machineFolder);
    fs::remove_all(before);
  }
  fs::remove(run.folder / files::kStep);
}

}  // namespace

int RunCombination(const CombinationRun& run) {
  try {
    Steps(run);
    return 0;
  } catch (const fs::filesystem_error& e) {
    WriteTextFile(run.folder / files::kError, std::string("the host: ") + e.what() + "\n");
  } catch (const std::exception& e) {
    WriteTextFile(run.folder / files::kError, std::string(e.what()) + "\n");
  }
  return 1;
}

}  // namespace lyn::lynsim
