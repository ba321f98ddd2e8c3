#include "window_module_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "install_layout.h"

namespace lyn::lynsim {

const sim::fltk::WindowModule& LoadWindowModule() {
  static const sim::fltk::WindowModule* const module = [] {
    const std::filesystem::path file = WindowModuleFile();
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = handle != nullptr ? ::dlsym(handle, sim::fltk::kWindowModuleEntry) : nullptr;
    if (entry == nullptr) {
      throw std::runtime_error("the window needs " + file.string() + ": " + ::dlerror());
    }
    return reinterpret_cast<decltype(&lyn_window_module)>(entry)();
  }();
  return *module;
}

}  // namespace lyn::lynsim
