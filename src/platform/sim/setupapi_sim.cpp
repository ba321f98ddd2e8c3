#include "platform/sim/setupapi_sim.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/sim/cabinet/cabinet_io.h"
#include "platform/sim/machine/case_fold.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD kDosAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
// Bytes of compressed input libmspack reads at a time.
constexpr int kInputBuffer = 65536;

DWORD ErrorOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ELOOP:
      return ERROR_ACCESS_DENIED;
    case ENOSPC:
      return ERROR_DISK_FULL;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    default:
      return ERROR_WRITE_FAULT;
  }
}

// A libmspack cabinet decoder over the machine's files, with the cabinet
// open; closed and destroyed with the walk.
class Decoder {
 public:
  explicit Decoder(const DriveFolders& drives)
      : io_(drives), decompressor_(mspack_create_cab_decompressor(&io_.system)) {
    if (decompressor_ != nullptr) {
      decompressor_->set_param(decompressor_, MSCABD_PARAM_DECOMPBUF, kInputBuffer);
    }
  }
  ~Decoder() {
    if (cabinet_ != nullptr) decompressor_->close(decompressor_, cabinet_);
    if (decompressor_ != nullptr) mspack_destroy_cab_decompressor(decompressor_);
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  // The cabinet's header and file list, from its drive path; 0 or the error
  // of a failed open.
  DWORD Open(const std::string& cabinet) {
    if (decompressor_ == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    cabinet_ = decompressor_->open(decompressor_, cabinet.c_str());
    if (cabinet_ != nullptr) return ERROR_SUCCESS;
    const int error = decompressor_->last_error(decompressor_);
    if (error == MSPACK_ERR_DATAFORMAT && HoldsNoFiles(cabinet)) return ERROR_SUCCESS;
    switch (error) {
      case MSPACK_ERR_OPEN:
        return ERROR_FILE_NOT_FOUND;
      case MSPACK_ERR_NOMEMORY:
        return ERROR_NOT_ENOUGH_MEMORY;
      default:
        return ERROR_INVALID_DATA;
    }
  }

  // The cabinet's header and file list; null for a cabinet without files.
  const mscabd_cabinet* cabinet() const { return cabinet_; }
  // The set of a cabinet without files.
  WORD emptySetId() const { return emptySetId_; }

  struct Outcome {
    DWORD walkError = ERROR_SUCCESS;  // ends the walk with failure
    DWORD fileError = ERROR_SUCCESS;  // reported with FILEEXTRACTED
  };

  // Decodes one file into the file at a drive path, streaming.
  Outcome Extract(mscabd_file& file, const std::string& target) {
    io_.ResetErrors();
    const int result = decompressor_->extract(decompressor_, &file, target.c_str());
    if (result == MSPACK_ERR_OK) return {};
    if (io_.openError != 0) return {ErrorOfErrno(io_.openError), ERROR_SUCCESS};
    if (io_.writeError != 0) return {ERROR_SUCCESS, ErrorOfErrno(io_.writeError)};
    return {result == MSPACK_ERR_NOMEMORY ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_DATA,
            ERROR_SUCCESS};
  }

 private:
  // libmspack refuses a cabinet whose header counts no files, which the
  // platform walks as an empty cabinet.
  bool HoldsNoFiles(const std::string& cabinet) {
    mspack_system& io = io_.system;
    mspack_file* file = io.open(&io, cabinet.c_str(), MSPACK_SYS_OPEN_READ);
    if (file == nullptr) return false;
    unsigned char header[kHeaderSize];
    const bool whole = io.read(file, header, kHeaderSize) == kHeaderSize;
    io.close(file);
    if (!whole || std::memcmp(header, "MSCF", 4) != 0 || header[kFileCountAt] != 0 ||
        header[kFileCountAt + 1] != 0) {
      return false;
    }
    emptySetId_ = static_cast<WORD>(header[kSetIdAt] | (header[kSetIdAt + 1] << 8));
    return true;
  }

  static constexpr int kHeaderSize = 36;
  static constexpr int kFileCountAt = 28;
  static constexpr int kSetIdAt = 32;

  CabinetIo io_;
  mscab_decompressor* decompressor_;
  mscabd_cabinet* cabinet_ = nullptr;
  WORD emptySetId_ = 0;
};

WORD DosDateOf(const mscabd_file& file) {
  return static_cast<WORD>(((file.date_y - 1980) << 9) | (file.date_m << 5) | file.date_d);
}

WORD DosTimeOf(const mscabd_file& file) {
  return static_cast<WORD>((file.time_h << 11) | (file.time_m << 5) | (file.time_s / 2));
}

}  // namespace

BOOL SimSetupApi::SetupIterateCabinetA(LPCSTR cabinetFile, DWORD, PSP_FILE_CALLBACK_A callback,
                                       LPVOID context) {
  if (cabinetFile == nullptr || *cabinetFile == '\0') {
    kernel32_.SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  const auto fail = [this](DWORD error) {
    kernel32_.SetLastError(error);
    return FALSE;
  };
  ResolvedPath cabinet;
  try {
    cabinet = machine_.Resolve(machine_.AnsiToUtf8(cabinetFile));
  } catch (const MachineError&) {
    return fail(ERROR_FILE_NOT_FOUND);
  }
  const DriveFolders& drives = machine_.drives();
  const auto status = drives.Status(cabinet.drivePath);
  if (!status) return fail(ERROR_FILE_NOT_FOUND);
  if (status->folder) return fail(ERROR_ACCESS_DENIED);
  Decoder decoder(drives);
  if (const DWORD openError = decoder.Open(cabinet.drivePath); openError != ERROR_SUCCESS) {
    return fail(openError);
  }

  const mscabd_cabinet* header = decoder.cabinet();
  // The cabinet's folder (with its last separator) and name, as the caller
  // spelt them.
  const std::string asGiven(cabinetFile);
  const std::size_t nameAt = asGiven.find_last_of("\\/:") + 1;
  const std::string cabinetFolder = asGiven.substr(0, nameAt);
  const std::string cabinetName = asGiven.substr(nameAt);
  CABINET_INFO_A cabinetInfo{cabinetFolder.c_str(), cabinetName.c_str(), "",
                             header ? static_cast<WORD>(header->set_id) : decoder.emptySetId(),
                             static_cast<WORD>(header ? header->set_index : 0)};
  callback(context, SPFILENOTIFY_CABINETINFO, reinterpret_cast<UINT_PTR>(&cabinetInfo), 0);

  for (mscabd_file* file = header ? header->files : nullptr; file != nullptr; file = file->next) {
    const std::string name = (file->attribs & MSCAB_ATTRIB_UTF_NAME)
                                 ? machine_.Utf8ToAnsi(file->filename)
                                 : std::string(file->filename);
    FILE_IN_CABINET_INFO_A info{};
    info.NameInCabinet = name.c_str();
    info.FileSize = file->length;
    info.DosDate = DosDateOf(*file);
    info.DosTime = DosTimeOf(*file);
    info.DosAttribs = static_cast<WORD>(file->attribs);
    const UINT answer =
        callback(context, SPFILENOTIFY_FILEINCABINET, reinterpret_cast<UINT_PTR>(&info),
                 reinterpret_cast<UINT_PTR>(cabinetFile));
    if (answer == FILEOP_ABORT) break;
    if (answer != FILEOP_DOIT) continue;

    // The target as the callback left it, never read past the buffer.
    const std::string target(info.FullTargetName,
                             strnlen(info.FullTargetName, sizeof info.FullTargetName));
    ResolvedPath resolved;
    try {
      if (target.empty()) return fail(ERROR_PATH_NOT_FOUND);
      resolved = machine_.Resolve(machine_.AnsiToUtf8(target));
    } catch (const MachineError&) {
      return fail(ERROR_PATH_NOT_FOUND);
    }
    if (const auto existing = drives.Status(resolved.drivePath)) {
      if (existing->folder || (machine_.Attributes(resolved) & FILE_ATTRIBUTE_READONLY)) {
        return fail(ERROR_ACCESS_DENIED);
      }
      if (machine_.InUse(resolved)) return fail(ERROR_SHARING_VIOLATION);
    }
    const auto drive = machine_.profile().drives.find(resolved.drive);
    if (drive != machine_.profile().drives.end() && FoldCase(drive->second.fileSystem) == "cdfs") {
      return fail(ERROR_WRITE_PROTECT);
    }
    const Decoder::Outcome outcome = decoder.Extract(*file, resolved.drivePath);
    if (outcome.walkError != ERROR_SUCCESS) return fail(outcome.walkError);
    const DWORD attributes = static_cast<DWORD>(file->attribs) & kDosAttributes;
    if (resolved.exists || (attributes & ~FILE_ATTRIBUTE_ARCHIVE) != 0) {
      machine_.SetAttributes(resolved, attributes);
    }

    FILEPATHS_A paths{info.FullTargetName, cabinetFile, outcome.fileError, 0};
    const UINT result =
        callback(context, SPFILENOTIFY_FILEEXTRACTED, reinterpret_cast<UINT_PTR>(&paths), 0);
    if (result != NO_ERROR) return fail(result);
  }
  return TRUE;
}

}  // namespace lyn::sim
