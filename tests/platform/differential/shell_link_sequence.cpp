#include "platform/differential/shell_link_sequence.h"

namespace lyn::differential {

win::HRESULT SaveShortcut(win::Com& com) {
  using namespace win;
  const HRESULT started = com.CoInitialize(nullptr);
  void* object = nullptr;
  HRESULT result = com.CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkA, &object);
  if (result >= 0) {
    auto* link = static_cast<IShellLinkA*>(object);
    void* persist = nullptr;
    result = link->QueryInterface(IID_IPersistFile, &persist);
    if (result >= 0) {
      auto* file = static_cast<IPersistFile*>(persist);
      const HRESULT steps[] = {link->SetPath(kLinkTarget),
                               link->SetWorkingDirectory(kLinkFolder),
                               link->SetArguments("/p readme.txt"),
                               link->SetDescription("Lynwood Catalog Suite"),
                               link->SetIconLocation(kLinkTarget, 2),
                               link->SetShowCmd(SW_SHOWMAXIMIZED),
                               link->Resolve(0, SLR_UPDATE | SLR_NO_UI),
                               file->Save(kLinkFile, FALSE)};
      for (const HRESULT step : steps) {
        if (step < 0) {
          result = step;
          break;
        }
      }
      file->Release();
    }
    link->Release();
  }
  if (started >= 0) com.CoUninitialize();
  return result;
}

}  // namespace lyn::differential
