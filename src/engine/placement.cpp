#include "engine/placement.h"

#include "engine/manifest_rows.h"

namespace lyn {

Placement PlacementOf(SetupState& state, std::string_view code) {
  if (code == WSPSF || code == WSP) return {&state.SystemFolder, &state.SectionSystem, true};
  if (code == WIN) return {&state.WindowsFolder, &state.SectionWindows, false};
  if (code == PFCFMSDAO) return {&state.DaoFolder, &state.SectionCommon, true};
  if (code == AP) return {&state.ProgramFolder, &state.SectionAP, false};
  if (code == APM) return {&state.MapsFolder, &state.SectionAPM, false};
  return {};
}

}  // namespace lyn
