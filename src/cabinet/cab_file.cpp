#include "cabinet/cab_file.h"

#include <limits>

#include "cabinet/callback.h"
#include "common/progress_dots.h"
#include "engine/manifest.h"
#include "sysinfo/ansi_text.h"

namespace lyn {
namespace {

constexpr const char* kSource = "CabFile";
constexpr const char* kCallbackSource = "CabFile.CabCallBack";
// The manifest slots the extraction pass looks names up in.
constexpr int kFirstLookupSlot = 1;
constexpr int kLastLookupSlot = 64;
// FullTargetName holds 259 ANSI bytes and the NUL.
constexpr std::size_t kLongestTarget = win::MAX_PATH - 1;
// The runtime's numbers for errors that arise inside a handler.
constexpr std::int32_t kOverflow = 6;
constexpr std::int32_t kSubscriptOutOfRange = 9;
constexpr std::int32_t kInternalError = 51;

// Decodes UTF-8 into code points, folding letters of Latin-1 to upper case.
std::u32string FoldedCodePoints(const std::string& text) {
  std::u32string result;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + static_cast<std::size_t>(k) < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    const bool lowerAscii = c >= U'a' && c <= U'z';
    const bool lowerLatin1 = c >= 0xE0 && c <= 0xFE && c != 0xF7;
    result += (lowerAscii || lowerLatin1) ? c - 0x20 : c;
  }
  return result;
}

// True when a cabinet name would lead out of the output folder: a ".."
// component, a drive, or a root.
bool LeavesOutputFolder(const std::string& name) {
  if (name.empty() || name.front() == '\\' || name.front() == '/') return true;
  if (name.find(':') != std::string::npos) return true;
  std::string component;
  for (const char c : name + "\\") {
    if (c == '\\' || c == '/') {
      if (component == "..") return true;
      component.clear();
    } else {
      component += c;
    }
  }
  return false;
}

}  // namespace

std::string XmlElement(const std::string& content, const std::string& tag,
                       const std::string& attribute, const std::string& value) {
  std::string element = "<" + tag;
  if (!attribute.empty()) element += " " + attribute + " = '" + value + "'";
  return element + ">" + content + "</" + tag + ">";
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return FoldedCodePoints(a) == FoldedCodePoints(b);
}

void CabFile::RequireCabName() const {
  if (cabName_.empty()) {
    throw CabFileError(kCabNameMissing, kSource, CabErrorMessage(kCabNameMissing));
  }
}

void CabFile::RunPass(CabPassMode mode) {
  handlerError_.reset();
  const std::string ansiName = ToAnsi(platform_.kernel32, cabName_);
  const win::BOOL walked = platform_.setupapi.SetupIterateCabinetA(
      ansiName.c_str(), 0, &Callback::CabinetCallback,
      reinterpret_cast<win::LPVOID>(static_cast<win::UINT_PTR>(mode)));
  if (handlerError_) {
    const CabFileError error = *handlerError_;
    handlerError_.reset();
    throw error;
  }
  if (!walked) {
    const win::DWORD code = platform_.kernel32.GetLastError();
    throw CabFileError(static_cast<std::int32_t>(code), kSource, ErrorText(code));
  }
}

std::int32_t CabFile::FileCount() {
  RequireCabName();
  Callback::SetCurrentCabinet(shared_from_this());
  fileCount_ = 0;
  RunPass(CabPassMode::Count);
  return fileCount_;
}

Boolean16 CabFile::Extract(const std::string& FileToExtract, const std::string& OutputPath,
                           const std::string& OutputFile) {
  RequireCabName();
  Callback::SetCurrentCabinet(shared_from_this());
  nameFilter_ = FileToExtract;
  outputFolder_ = OutputPath;
  outputFile_ = OutputFile;
  RunPass(CabPassMode::Extraction);
  return kTrue16;
}

Boolean16 CabFile::GetInfo(const std::string& FileToInvestigate) {
  try {
    RequireCabName();
    Callback::SetCurrentCabinet(shared_from_this());
    nameFilter_ = FileToInvestigate;
    RunPass(CabPassMode::Information);
    return kTrue16;
  } catch (const CabFileError& e) {
    throw CabFileError(e.Number(), "CabFile.GetInfo", e.Description());
  }
}

std::string CabFile::GetXML(const std::string& FileToInvestigate) {
  try {
    RequireCabName();
    Callback::SetCurrentCabinet(shared_from_this());
    nameFilter_ = FileToInvestigate;
    xmlBuffer_.clear();
    RunPass(CabPassMode::Xml);
    return "<?xml version=\"1.0\"?>" +
           XmlElement(XmlElement(xmlBuffer_, "FILES"), "CABFILE", "CABFILENAME", cabName_);
  } catch (const CabFileError& e) {
    throw CabFileError(e.Number(), "CabFile.GetXML", e.Description());
  }
}

win::UINT CabFile::CabCallBack(win::UINT mode, win::UINT notification, win::UINT_PTR param1,
                               win::UINT_PTR) {
  // After a handler's error the pass only winds down.
  if (handlerError_) return win::FILEOP_ABORT;
  try {
    switch (notification) {
      case win::SPFILENOTIFY_FILEINCABINET: {
        auto& info = *reinterpret_cast<win::FILE_IN_CABINET_INFO_A*>(param1);
        switch (static_cast<CabPassMode>(mode)) {
          case CabPassMode::Count:
            return CountHandler();
          case CabPassMode::Information:
            return InformationHandler(info);
          case CabPassMode::Extraction:
            return ExtractionHandler(info);
          case CabPassMode::Xml:
            return XmlHandler(info);
        }
        return 0;
      }
      case win::SPFILENOTIFY_FILEEXTRACTED: {
        const auto& paths = *reinterpret_cast<const win::FILEPATHS_A*>(param1);
        if (paths.Win32Error == win::NO_ERROR && AfterExtract) {
          AfterExtract(FromAnsi(platform_.kernel32, paths.Target));
        }
        return paths.Win32Error;
      }
      default:
        return 0;
    }
  } catch (const CabFileError& e) {
    handlerError_.emplace(e.Number(), kCallbackSource, e.Description());
  } catch (const std::overflow_error&) {
    handlerError_.emplace(kOverflow, kCallbackSource, "Overflow");
  } catch (const std::out_of_range&) {
    handlerError_.emplace(kSubscriptOutOfRange, kCallbackSource, "Subscript out of range");
  } catch (const std::exception& e) {
    handlerError_.emplace(kInternalError, kCallbackSource, e.what());
  }
  return win::FILEOP_ABORT;
}

win::UINT CabFile::CountHandler() {
  if (fileCount_ == std::numeric_limits<std::int32_t>::max()) throw std::overflow_error("");
  ++fileCount_;
  return win::FILEOP_SKIP;
}

win::UINT CabFile::InformationHandler(const win::FILE_IN_CABINET_INFO_A& info) {
  win::UINT answer = win::FILEOP_SKIP;
  const std::string name = FromAnsi(platform_.kernel32, info.NameInCabinet);
  const auto [folder, file] = Callback::SplitPath(name);
  if (!nameFilter_.empty()) {
    if (!SameTextIgnoringCase(nameFilter_, name)) return answer;
    answer = win::FILEOP_ABORT;
  }
  if (FileFound) {
    FileFound(file, CabFileDateTime(platform_.kernel32, info.DosDate, info.DosTime),
              static_cast<std::int32_t>(info.FileSize), folder);
  }
  return answer;
}

win::UINT CabFile::XmlHandler(const win::FILE_IN_CABINET_INFO_A& info) {
  win::UINT answer = win::FILEOP_SKIP;
  const std::string name = FromAnsi(platform_.kernel32, info.NameInCabinet);
  const auto [folder, file] = Callback::SplitPath(name);
  if (!nameFilter_.empty()) {
    if (!SameTextIgnoringCase(nameFilter_, file)) return answer;
    answer = win::FILEOP_ABORT;
  }
  const CabDateTime stamp = CabFileDateTime(platform_.kernel32, info.DosDate, info.DosTime);
  const std::string content =
      XmlElement(name, "FULLNAME") + XmlElement(file, "NAME") +
      XmlElement(GeneralDateText(stamp), "DATE") +
      XmlElement(std::to_string(static_cast<std::int32_t>(info.FileSize)), "SIZE") +
      XmlElement(folder, "PATH");
  xmlBuffer_ += XmlElement(content, "FILE") + "\r\n";
  return answer;
}

win::UINT CabFile::ExtractionHandler(win::FILE_IN_CABINET_INFO_A& info) {
  const std::string name = FromAnsi(platform_.kernel32, info.NameInCabinet);
  if (!nameFilter_.empty() && !SameTextIgnoringCase(nameFilter_, name)) return win::FILEOP_SKIP;

  Boolean16 cancel = kFalse16;
  if (BeforeExtract) BeforeExtract(name, cancel);
  if (cancel) return win::FILEOP_SKIP;
  // A name that would lead out of the output folder is never written.
  if (outputFile_.empty() && LeavesOutputFolder(name)) return win::FILEOP_SKIP;

  const std::string target = TargetPath(name);
  const auto [targetFolder, targetName] = Callback::SplitPath(target);
  if (!Callback::MakeDirectories(platform_, targetFolder)) return win::FILEOP_SKIP;

  // A target longer than FullTargetName can hold is skipped.
  const std::string ansiTarget = ToAnsi(platform_.kernel32, target);
  if (ansiTarget.size() > kLongestTarget) return win::FILEOP_SKIP;
  ansiTarget.copy(info.FullTargetName, ansiTarget.size());
  info.FullTargetName[ansiTarget.size()] = '\0';

  AdvanceDots();

  for (int slot = kFirstLookupSlot; slot <= kLastLookupSlot; ++slot) {
    if (Manifest::FileName[slot] == targetName) {
      return Manifest::InstallMark[slot] ? win::FILEOP_DOIT : win::FILEOP_SKIP;
    }
  }
  return win::FILEOP_SKIP;
}

std::string CabFile::TargetPath(const std::string& name) const {
  const std::string folder =
      outputFolder_.empty() ? Callback::SplitPath(cabName_).first : outputFolder_;
  const std::string file = outputFile_.empty() ? name : outputFile_;
  return Callback::WithBackslash(folder) + file;
}

void CabFile::AdvanceDots() {
  ProgressDots::Advance();
  if (progressLabel_ != nullptr) progressLabel_->SetCaption(ProgressDots::Dots);
  if (window_ != nullptr) window_->Refresh();
}

}  // namespace lyn
