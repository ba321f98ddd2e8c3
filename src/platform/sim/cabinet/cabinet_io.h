// The host I/O of the machine's cabinet service, as libmspack's I/O seam:
// the cabinet is read and the extracted files are written through this one
// small struct. The cabinet's name libmspack hands back is the machine's
// drive path ("C/Media/LYN.CAB"), opened through the machine's drive folders,
// so that no link inside the machine leads a read out of it. An extracted
// file is written to the file the machine's file layer opened for it.
#pragma once

#include <mspack.h>

#include "platform/sim/machine/drive_folders.h"

namespace lyn::sim {

struct CabinetIo {
  mspack_system system;  // first member: libmspack hands it back as `self`
  const DriveFolders& drives;
  // The open file the next extracted file is written to.
  int output = -1;
  // The host error number (errno) of the last output that could not be
  // opened or written; 0 while every output went well.
  int openError = 0;
  int writeError = 0;

  explicit CabinetIo(const DriveFolders& drives);
  void ResetErrors() { openError = writeError = 0; }
};

}  // namespace lyn::sim
