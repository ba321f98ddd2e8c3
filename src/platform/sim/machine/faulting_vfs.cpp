#include "platform/sim/machine/faulting_vfs.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "platform/sim/machine/host_faults.h"
#include "platform/sim/machine/machine_error.h"

namespace lyn::sim {
namespace {

// The VFS it passes calls on to.
sqlite3_vfs* real = nullptr;

// A file opened through the VFS: the real VFS's file follows it in memory.
struct FaultingFile {
  sqlite3_file base;
  sqlite3_file* file;
  const char* name;  // SQLite keeps it until the file is closed
};

sqlite3_file* Real(sqlite3_file* file) {
  return reinterpret_cast<FaultingFile*>(file)->file;
}

std::string_view NameOf(const char* name) {
  return name == nullptr ? std::string_view("(temporary)") : std::string_view(name);
}

std::string_view NameOf(sqlite3_file* file) {
  return NameOf(reinterpret_cast<FaultingFile*>(file)->name);
}

// The fault for `call`, as SQLite's code `failed` when there is one.
int Fault(HostCall call, std::string_view name, int failed) {
  const int error = StoreFault(call, name);
  if (error == 0) return SQLITE_OK;
  return error == -ENOSPC && failed == SQLITE_IOERR_WRITE ? SQLITE_FULL : failed;
}

int Close(sqlite3_file* file) {
  return Real(file)->pMethods->xClose(Real(file));
}
int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
  return Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
}
int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
  if (const int rc = Fault(HostCall::Write, NameOf(file), SQLITE_IOERR_WRITE)) return rc;
  return Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset);
}
int Truncate(sqlite3_file* file, sqlite3_int64 size) {
  if (const int rc = Fault(HostCall::Truncate, NameOf(file), SQLITE_IOERR_TRUNCATE)) return rc;
  return Real(file)->pMethods->xTruncate(Real(file), size);
}
int Sync(sqlite3_file* file, int flags) {
  if (const int rc = Fault(HostCall::Sync, NameOf(file), SQLITE_IOERR_FSYNC)) return rc;
  return Real(file)->pMethods->xSync(Real(file), flags);
}
int FileSize(sqlite3_file* file, sqlite3_int64* size) {
  return Real(file)->pMethods->xFileSize(Real(file), size);
}
int Lock(sqlite3_file* file, int level) {
  return Real(file)->pMethods->xLock(Real(file), level);
}
int Unlock(sqlite3_file* file, int level) {
  return Real(file)->pMethods->xUnlock(Real(file), level);
}
int CheckReservedLock(sqlite3_file* file, int* out) {
  return Real(file)->pMethods->xCheckReservedLock(Real(file), out);
}
int FileControl(sqlite3_file* file, int op, void* argument) {
  return Real(file)->pMethods->xFileControl(Real(file), op, argument);
}
int SectorSize(sqlite3_file* file) {
  return Real(file)->pMethods->xSectorSize(Real(file));
}
int DeviceCharacteristics(sqlite3_file* file) {
  return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}
int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** memory) {
  return Real(file)->pMethods->xShmMap(Real(file), region, size, extend, memory);
}
int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
  return Real(file)->pMethods->xShmLock(Real(file), offset, n, flags);
}
void ShmBarrier(sqlite3_file* file) {
  Real(file)->pMethods->xShmBarrier(Real(file));
}
int ShmUnmap(sqlite3_file* file, int deleteFlag) {
  return Real(file)->pMethods->xShmUnmap(Real(file), deleteFlag);
}
int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** pointer) {
  return Real(file)->pMethods->xFetch(Real(file), offset, amount, pointer);
}
int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* pointer) {
  return Real(file)->pMethods->xUnfetch(Real(file), offset, pointer);
}

const sqlite3_io_methods kMethods = {3,
                                     Close,
                                     Read,
                                     Write,
                                     Truncate,
                                     Sync,
                                     FileSize,
                                     Lock,
                                     Unlock,
                                     CheckReservedLock,
                                     FileControl,
                                     SectorSize,
                                     DeviceCharacteristics,
                                     ShmMap,
                                     ShmLock,
                                     ShmBarrier,
                                     ShmUnmap,
                                     Fetch,
                                     Unfetch};

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
  auto* faulting = reinterpret_cast<FaultingFile*>(file);
  faulting->file = reinterpret_cast<sqlite3_file*>(faulting + 1);
  faulting->name = name;
  file->pMethods = nullptr;
  // Only an open that makes the file is a change to the host's files.
  const bool makes =
      (flags & SQLITE_OPEN_CREATE) != 0 && (name == nullptr || ::access(name, F_OK) != 0);
  if (makes) {
    if (const int rc = Fault(HostCall::Create, NameOf(name), SQLITE_CANTOPEN)) return rc;
  }
  const int rc = real->xOpen(real, name, faulting->file, flags, outFlags);
  if (faulting->file->pMethods != nullptr) file->pMethods = &kMethods;
  return rc;
}
int Delete(sqlite3_vfs*, const char* name, int syncFolder) {
  if (const int rc = Fault(HostCall::Remove, NameOf(name), SQLITE_IOERR_DELETE)) return rc;
  return real->xDelete(real, name, syncFolder);
}
int Access(sqlite3_vfs*, const char* name, int flags, int* out) {
  return real->xAccess(real, name, flags, out);
}
int FullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
  return real->xFullPathname(real, name, size, out);
}
void* DlOpen(sqlite3_vfs*, const char* name) {
  return real->xDlOpen(real, name);
}
void DlError(sqlite3_vfs*, int size, char* out) {
  real->xDlError(real, size, out);
}
void (*DlSym(sqlite3_vfs*, void* library, const char* symbol))(void) {
  return real->xDlSym(real, library, symbol);
}
void DlClose(sqlite3_vfs*, void* library) {
  real->xDlClose(real, library);
}
int Randomness(sqlite3_vfs*, int size, char* out) {
  return real->xRandomness(real, size, out);
}
int Sleep(sqlite3_vfs*, int microseconds) {
  return real->xSleep(real, microseconds);
}
int CurrentTime(sqlite3_vfs*, double* now) {
  return real->xCurrentTime(real, now);
}
int GetLastError(sqlite3_vfs*, int size, char* out) {
  return real->xGetLastError(real, size, out);
}
int CurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now) {
  return real->xCurrentTimeInt64(real, now);
}
int SetSystemCall(sqlite3_vfs*, const char* name, sqlite3_syscall_ptr call) {
  return real->xSetSystemCall(real, name, call);
}
sqlite3_syscall_ptr GetSystemCall(sqlite3_vfs*, const char* name) {
  return real->xGetSystemCall(real, name);
}
const char* NextSystemCall(sqlite3_vfs*, const char* name) {
  return real->xNextSystemCall(real, name);
}

sqlite3_vfs faulting{};

}  // namespace

void InstallFaultingVfs() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    real = sqlite3_vfs_find(nullptr);
    if (real == nullptr || real->iVersion < 3) {
      throw MachineError("SQLite has no default file system to inject host faults into");
    }
    faulting = sqlite3_vfs{3,
                           static_cast<int>(sizeof(FaultingFile)) + real->szOsFile,
                           real->mxPathname,
                           nullptr,
                           "lyn-faulting",
                           nullptr,
                           Open,
                           Delete,
                           Access,
                           FullPathname,
                           DlOpen,
                           DlError,
                           DlSym,
                           DlClose,
                           Randomness,
                           Sleep,
                           CurrentTime,
                           GetLastError,
                           CurrentTimeInt64,
                           SetSystemCall,
                           GetSystemCall,
                           NextSystemCall};
    if (sqlite3_vfs_register(&faulting, 1) != SQLITE_OK) {
      throw MachineError("SQLite refused the VFS that injects host faults");
    }
  });
}

}  // namespace lyn::sim
