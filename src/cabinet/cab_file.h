// CabFile: the program's object for one cabinet file, named by CabName. It
// counts the cabinet's files, reports them through events, describes the
// cabinet as XML and extracts the files the manifest marks for installation.
// Each operation is one pass of the platform's cabinet iteration service.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cabinet/cab_date.h"
#include "cabinet/cab_error.h"
#include "common/boolean16.h"
#include "platform/api/platform.h"

namespace lyn {

// The pass modes, handed to the service as its context.
enum class CabPassMode : win::UINT { Count = 0, Information = 1, Extraction = 2, Xml = 3 };

// Operations make the object the current cabinet object, which holds a
// reference to it: make it with std::make_shared.
class CabFile : public std::enable_shared_from_this<CabFile> {
 public:
  explicit CabFile(Platform& platform) : platform_(platform) {}

  // Where the extraction pass shows its progress dots: a label, and the
  // window repainted after each change. Without them the dots only count.
  void SetProgressRow(ui::Control& label, ui::Surface& window) {
    progressLabel_ = &label;
    window_ = &window;
  }

  const std::string& CabName() const { return cabName_; }
  void SetCabName(const std::string& name) { cabName_ = name; }

  // All four throw CabFileError.
  std::int32_t FileCount();
  Boolean16 Extract(const std::string& FileToExtract, const std::string& OutputPath,
                    const std::string& OutputFile);
  Boolean16 GetInfo(const std::string& FileToInvestigate);
  std::string GetXML(const std::string& FileToInvestigate);

  // The answer to one notification of a pass (reached only through the
  // module Callback). An error of a handler ends the pass; the operation
  // that started it then raises it.
  win::UINT CabCallBack(win::UINT mode, win::UINT notification, win::UINT_PTR param1,
                        win::UINT_PTR param2);

  // Events.
  std::function<void(const std::string& Filename, const CabDateTime& DateTime, std::int32_t Size,
                     const std::string& Path)>
      FileFound;
  std::function<void(const std::string& Filename, Boolean16& Cancel)> BeforeExtract;
  std::function<void(const std::string& Filename)> AfterExtract;

 private:
  // Runs one pass; throws the handler's error or the service's failure.
  void RunPass(CabPassMode mode);
  void RequireCabName() const;

  win::UINT CountHandler();
  win::UINT InformationHandler(const win::FILE_IN_CABINET_INFO_A& info);
  win::UINT XmlHandler(const win::FILE_IN_CABINET_INFO_A& info);
  win::UINT ExtractionHandler(win::FILE_IN_CABINET_INFO_A& info);
  std::string TargetPath(const std::string& name) const;
  void AdvanceDots();

  Platform& platform_;
  ui::Control* progressLabel_ = nullptr;
  ui::Surface* window_ = nullptr;

  std::string cabName_;
  std::string nameFilter_;
  std::string outputFolder_;
  std::string outputFile_;
  std::int32_t fileCount_ = 0;
  std::string xmlBuffer_;
  std::optional<CabFileError> handlerError_;
};

// "<tag attribute = 'value'>content</tag>", the attribute part only when
// `attribute` is not empty. Nothing is escaped.
std::string XmlElement(const std::string& content, const std::string& tag,
                       const std::string& attribute = "", const std::string& value = "");

// Equality of two texts without regard to case.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

}  // namespace lyn
