#include "install_layout.h"

#include "platform/sim/fltk/window_module.h"

namespace lyn::lynsim {
namespace {

namespace fs = std::filesystem;

fs::path ExecutableFolder() {
  return fs::read_symlink("/proc/self/exe").parent_path();
}

}  // namespace

fs::path WindowModuleFile() {
  const fs::path beside = ExecutableFolder() / sim::fltk::kWindowModuleFile;
  const fs::path installed =
      ExecutableFolder().parent_path() / "lib" / "lynsim" / sim::fltk::kWindowModuleFile;
  std::error_code error;
  return fs::exists(beside, error) || !fs::exists(installed, error) ? beside : installed;
}

fs::path ProductFolder() {
  const fs::path installed = ExecutableFolder().parent_path() / "share" / "lynsim" / "product";
  std::error_code error;
  return fs::exists(installed / "LYN.CAB", error) ? installed : fs::path(LYN_PRODUCT_DIR);
}

}  // namespace lyn::lynsim
