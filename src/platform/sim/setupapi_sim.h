// setupapi of the emulated machine: SetupIterateCabinetA over real cabinet
// files of the machine, decoded with libmspack and written back into the
// machine as the callback asks.
#pragma once

#include "platform/api/setupapi.h"
#include "platform/sim/machine/machine.h"

namespace lyn::sim {

class SimSetupApi : public win::SetupApi {
 public:
  explicit SimSetupApi(const Machine& machine) : machine_(machine) {}

  // Notifications: CABINETINFO once, then per file in cabinet order
  // FILEINCABINET and, after a file written on FILEOP_DOIT, FILEEXTRACTED.
  // FILEOP_ABORT ends the walk after that file with success. Failures: 2 for
  // a cabinet that does not exist, 13 for one that is not a cabinet or is
  // corrupt, the open error of a target that cannot be created, and any
  // error code the callback returns from FILEEXTRACTED.
  win::BOOL SetupIterateCabinetA(win::LPCSTR cabinetFile, win::DWORD reserved,
                                 win::PSP_FILE_CALLBACK_A callback, win::LPVOID context) override;

 private:
  const Machine& machine_;
};

}  // namespace lyn::sim
