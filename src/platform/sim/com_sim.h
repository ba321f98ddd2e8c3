// COM of the emulated machine: it knows one class, the shell link object,
// whose Save writes a real .lnk file on the machine.
#pragma once

#include "platform/api/com.h"
#include "platform/sim/machine/machine.h"

namespace lyn::sim {

class SimCom : public win::Com {
 public:
  explicit SimCom(const Machine& machine) : machine_(machine) {}

  // S_OK the first time, S_FALSE when already started.
  win::HRESULT CoInitialize(win::LPVOID reserved) override;
  void CoUninitialize() override;
  win::HRESULT CoCreateInstance(const win::CLSID& classId, win::IUnknown* outer, win::DWORD context,
                                const win::IID& iid, win::LPVOID* object) override;

 private:
  const Machine& machine_;
  int initialized_ = 0;
};

}  // namespace lyn::sim
