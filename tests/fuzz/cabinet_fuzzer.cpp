// libFuzzer target for the machine's cabinet service: any bytes, walked as a
// cabinet with answers taken from the input, must end in success or a
// failure with a system error code, never a crash, a read outside a buffer
// or a file written outside the target folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sim/kernel32_sim.h"
#include "platform/sim/setupapi_sim.h"

namespace {

using namespace lyn;

class NoProcess : public sim::ProcessHost {
 public:
  int MessageBox(const std::string&, const std::string&, win::UINT) override { return 1; }
  void SetTopmost(win::HWND) override {}
  [[noreturn]] void EndProcess(win::UINT) override { std::abort(); }
};

struct Answers {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t next = 0;
};

// Answers each file with skip, write or abort as the input's first bytes say;
// written files go to C:\Out under a short name or under the cabinet's name.
win::UINT LYN_CALLBACK Answer(win::LPVOID context, win::UINT notification, win::UINT_PTR param1,
                              win::UINT_PTR) {
  auto& answers = *static_cast<Answers*>(context);
  if (notification != win::SPFILENOTIFY_FILEINCABINET) return win::NO_ERROR;
  auto& info = *reinterpret_cast<win::FILE_IN_CABINET_INFO_A*>(param1);
  const std::uint8_t choice = answers.next < answers.size ? answers.data[answers.next] : 1;
  ++answers.next;
  const std::string target = (choice & 4) ? std::string("C:\\Out\\") + info.NameInCabinet
                                          : "C:\\Out\\f" + std::to_string(answers.next);
  if (target.size() >= win::MAX_PATH) return win::FILEOP_SKIP;
  target.copy(info.FullTargetName, target.size());
  info.FullTargetName[target.size()] = '\0';
  return choice % 3;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("lyn-cab-fuzz-" + std::to_string(::getpid()));
  static NoProcess host;
  static const sim::Machine machine = [] {
    std::filesystem::remove_all(folder);
    return sim::Machine::Create(folder, sim::Profile{});
  }();
  static sim::SimKernel32 kernel32(machine, host);
  static sim::SimSetupApi setupapi(machine, kernel32);

  const auto out = machine.Resolve("C:\\Out").hostPath;
  std::filesystem::remove_all(out);
  std::filesystem::create_directories(out);
  {
    std::ofstream cabinet(machine.Resolve("C:\\fuzz.cab").hostPath, std::ios::binary);
    cabinet.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::size_t answerBytes = size > 8 ? 8 : 0;
  Answers answers{data + size - answerBytes, answerBytes};
  kernel32.SetLastError(0xDEADBEEF);
  if (!setupapi.SetupIterateCabinetA("C:\\fuzz.cab", 0, &Answer, &answers)) {
    if (kernel32.GetLastError() == 0xDEADBEEF) std::abort();  // a failure without its code
  }
  return 0;
}
