// libFuzzer target for the machine's cabinet service and the program's
// CabFile over it. Any bytes, walked as a cabinet with answers taken from the
// input, must end in success or a failure with a system error code; counted,
// listed, described as XML and extracted by a CabFile, in a result or a
// CabFileError. Never a crash, a read outside a buffer or a file written
// outside the output folder.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "cabinet/cab_file.h"
#include "engine/manifest.h"
#include "fakes/fake_platform.h"
#include "platform/sim/kernel32_sim.h"
#include "platform/sim/machine/host_view.h"
#include "platform/sim/setupapi_sim.h"

namespace {

using namespace lyn;
namespace fs = std::filesystem;

class NoProcess : public sim::ProcessHost {
 public:
  int MessageBox(win::HWND, const std::string&, const std::string&, win::UINT) override {
    return 1;
  }
  void SetTopmost(win::HWND) override {}
  [[noreturn]] void EndProcess(win::UINT) override { std::abort(); }
};

struct Answers {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t next = 0;
};

// Answers each file with skip, write or abort as the input's last bytes say;
// written files go to C:\Out under a short name or under the cabinet's name
// made flat.
win::UINT LYN_CALLBACK Answer(win::LPVOID context, win::UINT notification, win::UINT_PTR param1,
                              win::UINT_PTR) {
  auto& answers = *static_cast<Answers*>(context);
  if (notification != win::SPFILENOTIFY_FILEINCABINET) return win::NO_ERROR;
  auto& info = *reinterpret_cast<win::FILE_IN_CABINET_INFO_A*>(param1);
  const std::uint8_t choice = answers.next < answers.size ? answers.data[answers.next] : 1;
  ++answers.next;
  std::string target = "C:\\Out\\f" + std::to_string(answers.next);
  if (choice & 4) {
    // The cabinet's name, kept inside C:\Out: the service writes where it is
    // told, and keeping entries in their folder is the caller's business.
    target = "C:\\Out\\" + std::string(info.NameInCabinet);
    std::replace_if(
        target.begin() + 7, target.end(), [](char c) { return c == '\\' || c == '/' || c == ':'; },
        '_');
  }
  if (target.size() >= win::MAX_PATH) return win::FILEOP_SKIP;
  target.copy(info.FullTargetName, target.size());
  info.FullTargetName[target.size()] = '\0';
  return choice % 3;
}

// The machine, and its platform for the program.
struct Setup {
  fs::path folder = fs::temp_directory_path() / ("lyn-cab-fuzz-" + std::to_string(::getpid()));
  NoProcess host;
  sim::Machine machine = [this] {
    fs::remove_all(folder);
    return sim::Machine::Create(folder, sim::Profile{});
  }();
  sim::SimKernel32 kernel32{machine, host};
  sim::SimSetupApi setupapi{machine};
  fakes::FakePlatform fakes;
  Platform platform{kernel32,      fakes.user32,   fakes.version,  fakes.shell32, setupapi,
                    fakes.widgets, fakes.security, fakes.registry, fakes.com,     fakes.library};
  fs::path out = lyn::sim::HostPathOf(machine, "C:\\Out");

  Setup() = default;
  Setup(const Setup&) = delete;
  Setup& operator=(const Setup&) = delete;
  ~Setup() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  // The host files of the machine's C: drive outside C:\Out.
  std::size_t FilesOutside() const {
    std::size_t count = 0;
    for (const auto& entry :
         fs::recursive_directory_iterator(lyn::sim::HostPathOf(machine, "C:\\"))) {
      if (!entry.path().string().starts_with(out.string())) ++count;
    }
    return count;
  }
};

// Counts, lists, describes and extracts the cabinet with a CabFile: the
// listed names become manifest rows, all marked for installation or every
// other one; the filter (none or the first name listed) and the single
// output name (none or one) are chosen by bits of `flags`.
void DriveCabFile(Setup& setup, std::uint8_t flags) {
  auto cab = std::make_shared<CabFile>(setup.platform);
  cab->SetCabName("C:\\fuzz.cab");
  std::vector<std::string> names;
  cab->FileFound = [&names](const std::string& name, const CabDateTime&, std::int32_t,
                            const std::string&) { names.push_back(name); };
  try {
    cab->FileCount();
    cab->GetInfo("");
  } catch (const CabFileError&) {
  }
  const std::string filter = (flags & 1) && !names.empty() ? names.front() : "";
  for (int row = 1; row <= 48; ++row) {
    Manifest::FileName[row] = row <= static_cast<int>(names.size()) ? names[row - 1] : "";
    Manifest::InstallMark[row] = (flags & 4) && row % 2 == 0 ? 0 : -1;
  }
  try {
    cab->GetXML(filter);
  } catch (const CabFileError&) {
  }
  try {
    cab->Extract(filter, "C:\\Out", (flags & 2) ? "single.bin" : "");
  } catch (const CabFileError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Setup setup;
  fs::remove_all(setup.out);
  fs::create_directories(setup.out);
  {
    std::ofstream cabinet(lyn::sim::HostPathOf(setup.machine, "C:\\fuzz.cab"), std::ios::binary);
    cabinet.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::size_t filesOutside = setup.FilesOutside();
  const std::size_t answerBytes = size > 8 ? 8 : 0;
  Answers answers{data + size - answerBytes, answerBytes};
  setup.kernel32.SetLastError(0xDEADBEEF);
  if (!setup.setupapi.SetupIterateCabinetA("C:\\fuzz.cab", 0, &Answer, &answers)) {
    if (setup.kernel32.GetLastError() == 0xDEADBEEF) std::abort();  // a failure without its code
  }
  DriveCabFile(setup, size > 0 ? data[size - 1] : 0);
  if (setup.FilesOutside() != filesOutside) std::abort();  // written outside C:\Out
  return 0;
}
