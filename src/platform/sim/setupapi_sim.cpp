#include "platform/sim/setupapi_sim.h"

#include <cstring>
#include <string>

#include "platform/sim/cabinet/cabinet_io.h"
#include "platform/sim/files/file_layer.h"
#include "platform/sim/files/host_errors.h"
#include "platform/sim/last_error.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr DWORD kDosAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
// Bytes of compressed input libmspack reads at a time.
constexpr int kInputBuffer = 65536;

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

  // Decodes one file into an open file, streaming.
  Outcome Extract(mscabd_file& file, const UniqueFd& target) {
    io_.ResetErrors();
    io_.output = target.get();
    const int result = decompressor_->extract(decompressor_, &file, "");
    if (result == MSPACK_ERR_OK) return {};
    if (io_.openError != 0) return {WindowsErrorOfHost(io_.openError), ERROR_SUCCESS};
    if (io_.writeError != 0) return {ERROR_SUCCESS, WindowsErrorOfHost(io_.writeError)};
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
  return Guarded(FALSE, [&]() -> BOOL {
    if (cabinetFile == nullptr || *cabinetFile == '\0') return Fail(ERROR_NOT_ENOUGH_MEMORY, FALSE);
    const FileLayer files(machine_);
    ResolvedPath cabinet;
    if (files.Resolve(machine_.AnsiToUtf8(cabinetFile), cabinet) != ERROR_SUCCESS ||
        !cabinet.exists) {
      return Fail(ERROR_FILE_NOT_FOUND, FALSE);
    }
    if (cabinet.folder) return Fail(ERROR_ACCESS_DENIED, FALSE);
    Decoder decoder(machine_.drives());
    if (const DWORD openError = decoder.Open(cabinet.drivePath); openError != ERROR_SUCCESS) {
      return Fail(openError, FALSE);
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
      if (target.empty()) return Fail(ERROR_PATH_NOT_FOUND, FALSE);
      ResolvedPath resolved;
      if (const DWORD error = files.Resolve(machine_.AnsiToUtf8(target), resolved)) {
        return Fail(error, FALSE);
      }
      const DWORD attributes = static_cast<DWORD>(file->attribs) & kDosAttributes;
      OpenedFile output;
      if (const DWORD error =
              files.Open(resolved, GENERIC_WRITE, 0, CREATE_ALWAYS, attributes, output)) {
        return Fail(error, FALSE);
      }
      const Decoder::Outcome outcome = decoder.Extract(*file, output.fd);
      if (outcome.walkError != ERROR_SUCCESS || outcome.fileError != ERROR_SUCCESS) {
        // A file that could not be written whole is not left behind.
        files.Discard(resolved, output);
      }
      if (outcome.walkError != ERROR_SUCCESS) return Fail(outcome.walkError, FALSE);
      output = OpenedFile();

      FILEPATHS_A paths{info.FullTargetName, cabinetFile, outcome.fileError, 0};
      const UINT result =
          callback(context, SPFILENOTIFY_FILEEXTRACTED, reinterpret_cast<UINT_PTR>(&paths), 0);
      if (result != NO_ERROR) return Fail(result, FALSE);
    }
    return TRUE;
  });
}

}  // namespace lyn::sim
