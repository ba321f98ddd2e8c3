// The host I/O of the machine's cabinet service, as libmspack's I/O seam:
// the cabinet is read and the extracted files are written through this one
// small struct, with host paths the machine has already resolved and checked.
#pragma once

#include <mspack.h>

namespace lyn::sim {

struct CabinetIo {
  mspack_system system;  // first member: libmspack hands it back as `self`
  // The errno of the last output file that could not be opened or written;
  // 0 while every output went well.
  int openError = 0;
  int writeError = 0;

  CabinetIo();
  void ResetErrors() { openError = writeError = 0; }
};

}  // namespace lyn::sim
