#include "common/module_state.h"

namespace lyn {

Boolean16 NtfsVolume = kFalse16;
Boolean16 SecurityEnabled = kFalse16;
bool AllowUndo = false;
std::string OwnerName;
std::string OwnerDomain;
Boolean16 ReadGranted = kFalse16;
Boolean16 WriteGranted = kFalse16;
Boolean16 ExecuteGranted = kFalse16;
Boolean16 AllGranted = kFalse16;

namespace Manifest {
Column<std::string> FileName;
Column<std::string> ShippedVersion;
Column<std::string> Destination;
Column<Boolean16> InstallMark;
Column<std::string> PresentVersionText;
Column<std::string> ShippedVersionText;
}  // namespace Manifest

namespace ProgressDots {
std::int32_t Counter = 0;
std::string Dots;
}  // namespace ProgressDots

namespace OperatingSystem {
OSInfo Info;
Boolean16 Is64BitOS = kFalse16;
}  // namespace OperatingSystem

namespace ChkPreviousInstance {
std::string AppTitle;
win::LONG MatchCount = 0;
win::HWND MatchWindow = 0;
}  // namespace ChkPreviousInstance

namespace Callback {
std::shared_ptr<CabFile> CurrentCabinet;
}  // namespace Callback

void ResetModuleState() {
  NtfsVolume = kFalse16;
  SecurityEnabled = kFalse16;
  AllowUndo = false;
  OwnerName.clear();
  OwnerDomain.clear();
  ReadGranted = WriteGranted = ExecuteGranted = AllGranted = kFalse16;
  Manifest::FileName = {};
  Manifest::ShippedVersion = {};
  Manifest::Destination = {};
  Manifest::InstallMark = {};
  Manifest::PresentVersionText = {};
  Manifest::ShippedVersionText = {};
  ProgressDots::Counter = 0;
  ProgressDots::Dots.clear();
  OperatingSystem::Info = {};
  OperatingSystem::Is64BitOS = kFalse16;
  ChkPreviousInstance::AppTitle.clear();
  ChkPreviousInstance::MatchCount = 0;
  ChkPreviousInstance::MatchWindow = 0;
  Callback::CurrentCabinet.reset();
}

}  // namespace lyn
