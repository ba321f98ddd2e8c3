// What lynsim run says of a run besides its transcript, once it has ended:
// the result of each row of the progress panel, the message boxes, the
// entries of the uninstall log the run wrote and the files whose copy failed.
#pragma once

#include <iostream>

#include "platform/sim/machine/machine.h"
#include "platform/sim/run/run_host.h"

namespace lyn::lynsim {

enum class RunOutput {
  Transcript,  // the transcript, then a "failed:" line for each file not copied
  Quiet,       // the rows' results, the "failed:" lines and the ending
  Json,        // the run's record as one JSON object
};

// The ending function that prints the report of a run on `machine` that is
// about to start, on `out` (standard output by default), and flushes it: the
// process leaves right after without running destructors.
sim::EndingFunction ReportRun(const sim::Machine& machine, RunOutput output,
                              std::ostream& out = std::cout);

}  // namespace lyn::lynsim
