#include "platform/differential/cabinet_sequence.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace lyn::differential {
namespace {

using namespace win;

// How one walk answers: FILEINCABINET answers in file order (the last one
// repeated for the files after), the target folder prefix, and the file
// whose FILEEXTRACTED is answered with an error code.
struct Plan {
  std::string prefix;
  std::vector<UINT> answers;
  int failExtracted = -1;
  UINT extractedError = 0;
  bool emptyTarget = false;
};

struct Walk {
  const Plan& plan;
  std::string& out;
  int files = 0;
  int extracted = 0;
};

std::string Text(LPCSTR text) {
  if (text == nullptr) return "(null)";
  std::string quoted(1, '"');
  quoted += text;
  quoted += '"';
  return quoted;
}

UINT LYN_CALLBACK Notify(LPVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2) {
  auto& walk = *static_cast<Walk*>(context);
  if (notification == SPFILENOTIFY_CABINETINFO) {
    const auto& info = *reinterpret_cast<const CABINET_INFO_A*>(param1);
    walk.out += "  cabinet " + Text(info.CabinetFile) + " path " + Text(info.CabinetPath) +
                " disk " + Text(info.DiskName) + " set " + std::to_string(info.SetId) + " number " +
                std::to_string(info.CabinetNumber) + "\n";
    return NO_ERROR;
  }
  if (notification == SPFILENOTIFY_FILEINCABINET) {
    auto& info = *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1);
    const auto& answers = walk.plan.answers;
    const UINT answer = answers[std::min<std::size_t>(walk.files++, answers.size() - 1)];
    walk.out += "  file " + Text(info.NameInCabinet) + " size " + std::to_string(info.FileSize) +
                " date " + std::to_string(info.DosDate) + " time " + std::to_string(info.DosTime) +
                " attributes " + std::to_string(info.DosAttribs) + " error " +
                std::to_string(info.Win32Error) + " target " + Text(info.FullTargetName) +
                " from " + Text(reinterpret_cast<LPCSTR>(param2)) + " answer " +
                std::to_string(answer) + "\n";
    if (answer == FILEOP_DOIT && !walk.plan.emptyTarget) {
      std::string target = kCabinetFolder + std::string("out\\") + walk.plan.prefix;
      for (const char* name = info.NameInCabinet; *name != '\0'; ++name) {
        target += *name == '\\' ? '_' : *name;
      }
      std::strncpy(info.FullTargetName, target.c_str(), sizeof info.FullTargetName - 1);
    }
    return answer;
  }
  if (notification == SPFILENOTIFY_FILEEXTRACTED) {
    const auto& paths = *reinterpret_cast<const FILEPATHS_A*>(param1);
    const UINT answer =
        walk.extracted++ == walk.plan.failExtracted ? walk.plan.extractedError : NO_ERROR;
    walk.out += "  extracted " + Text(paths.Target) + " error " + std::to_string(paths.Win32Error) +
                " flags " + std::to_string(paths.Flags) + " answer " + std::to_string(answer) +
                "\n";
    return answer;
  }
  walk.out += "  notification " + std::to_string(notification) + "\n";
  return NO_ERROR;
}

void Run(SetupApi& setupapi, Kernel32& kernel32, const std::string& cabinet, const Plan& plan,
         std::string& out) {
  out += "walk " + cabinet + " as " + plan.prefix + "\n";
  Walk walk{plan, out};
  const std::string path = kCabinetFolder + cabinet;
  kernel32.SetLastError(0xDEADBEEF);
  const BOOL result = setupapi.SetupIterateCabinetA(path.c_str(), 0, &Notify, &walk);
  out += "  result " + std::to_string(result);
  out += result ? "\n" : " error " + std::to_string(kernel32.GetLastError()) + "\n";
}

}  // namespace

std::string RunCabinetSequence(SetupApi& setupapi, Kernel32& kernel32) {
  std::string out;
  for (const char* cabinet : kCabinets) {
    Run(setupapi, kernel32, cabinet, {std::string(cabinet) + "-", {FILEOP_DOIT}}, out);
  }
  // Skip, write, skip, then abort at the fourth file: the walk ends there.
  Run(setupapi, kernel32, "several.cab",
      {"some-", {FILEOP_SKIP, FILEOP_DOIT, FILEOP_SKIP, FILEOP_ABORT}}, out);
  // An error code answered for the second written file.
  Run(setupapi, kernel32, "folders.cab", {"refused-", {FILEOP_DOIT}, 1, 1223}, out);
  // Write asked for without a target.
  Run(setupapi, kernel32, "folders.cab", {"none-", {FILEOP_DOIT}, -1, 0, true}, out);
  return out;
}

}  // namespace lyn::differential
