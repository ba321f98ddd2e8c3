// frmSetup's extraction of the product cabinet.
#include "shell/frm_setup.h"

namespace lyn {

void frmSetup::ExtractCabinet(const std::string& OutputPath, const std::string& OutputFile) {
  cab = std::make_shared<CabFile>(platform_);
  cab->SetProgressRow(Control("lblExprogress"), *form_);
  cab->SetCabName("LYN.CAB");
  // A full information pass first, only to fail early on a cabinet that
  // cannot be read.
  cab->GetInfo("");
  cab->Extract("", OutputPath, OutputFile);
}

}  // namespace lyn
