#include "platform/sim/com_sim.h"

#include "platform/sim/last_error.h"
#include "platform/sim/shell_link/shell_link_object.h"

namespace lyn::sim {
using namespace win;

HRESULT SimCom::CoInitialize(LPVOID) {
  return initialized_++ == 0 ? S_OK : S_FALSE;
}

void SimCom::CoUninitialize() {
  if (initialized_ > 0) --initialized_;
}

HRESULT SimCom::CoCreateInstance(const CLSID& classId, IUnknown* outer, DWORD, const IID& iid,
                                 LPVOID* object) {
  return Guarded([](DWORD error) { return HRESULT_FROM_WIN32(error); },
                 [&]() -> HRESULT {
                   if (object == nullptr) return E_POINTER;
                   *object = nullptr;
                   if (initialized_ == 0) return CO_E_NOTINITIALIZED;
                   if (outer != nullptr) return CLASS_E_NOAGGREGATION;
                   if (!(classId == CLSID_ShellLink)) return REGDB_E_CLASSNOTREG;
                   auto* link = new ShellLinkObject(machine_);
                   const HRESULT result = link->QueryInterface(iid, object);
                   link->Release();
                   return result;
                 });
}

}  // namespace lyn::sim
