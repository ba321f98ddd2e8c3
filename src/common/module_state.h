// The program's module-wide values: what the program keeps for the life of
// the process outside the window and its objects. Each starts as the process
// starts it; ResetModuleState puts every one back, so that one process can
// run the program's logic more than once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/boolean16.h"
#include "common/manifest_column.h"
#include "common/os_info.h"
#include "platform/api/win_types.h"

namespace lyn {

class CabFile;

// Whether the current volume is NTFS, set by the load sequence.
extern Boolean16 NtfsVolume;
// Set once by the permission timer when the user lacks rights on the system
// folder; folder grants and owner checks are made only then.
extern Boolean16 SecurityEnabled;

// Selects the flags of the shell's file operations: off, every confirmation
// is answered yes (an existing destination is overwritten); on, the shell
// may undo the operation instead.
extern bool AllowUndo;

// The owner check: account name and domain of the owner of the file last
// looked up, and the four access tests of the path last tested.
extern std::string OwnerName;
extern std::string OwnerDomain;
extern Boolean16 ReadGranted;
extern Boolean16 WriteGranted;
extern Boolean16 ExecuteGranted;
extern Boolean16 AllGranted;

// The manifest: parallel columns kept for the whole program. Slot 0 is never
// used; rows 1 to 48 are filled by BuildManifest and slots 49 to 90 stay
// empty.
namespace Manifest {
extern Column<std::string> FileName;
extern Column<std::string> ShippedVersion;
extern Column<std::string> Destination;
extern Column<Boolean16> InstallMark;
extern Column<std::string> PresentVersionText;
extern Column<std::string> ShippedVersionText;
}  // namespace Manifest

// The progress dots shared by the phases of the install run: a counter and
// the text of that many "." characters.
namespace ProgressDots {
extern std::int32_t Counter;
extern std::string Dots;
}  // namespace ProgressDots

// The record of the operating-system check and the 64-bit flag.
namespace OperatingSystem {
extern OSInfo Info;
extern Boolean16 Is64BitOS;
}  // namespace OperatingSystem

// The previous-instance check: the title looked for and what the window
// enumeration found.
namespace ChkPreviousInstance {
extern std::string AppTitle;
extern win::LONG MatchCount;
extern win::HWND MatchWindow;
}  // namespace ChkPreviousInstance

// The cabinet object the cabinet service's notifications go to.
namespace Callback {
extern std::shared_ptr<CabFile> CurrentCabinet;
}  // namespace Callback

// Every value above as the process starts it.
void ResetModuleState();

}  // namespace lyn
