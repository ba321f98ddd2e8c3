#include "fakes/machine_platform.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/sim/files/file_layer.h"
#include "platform/sim/machine/host_view.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/security_model.h"

namespace lyn::fakes {
namespace {

std::filesystem::path NewMachineFolder() {
  static std::atomic<int> counter{0};
  return std::filesystem::temp_directory_path() /
         ("lyn-machine-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

std::string ReadHostFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int RefusingHost::MessageBox(win::HWND, const std::string&, const std::string& caption, win::UINT) {
  throw std::logic_error("unexpected message box: " + caption);
}

MachinePlatform::MachinePlatform(const sim::Profile& profile)
    : folder_(NewMachineFolder()), sim_(sim::Machine::Create(folder_, profile), host_) {}

MachinePlatform::~MachinePlatform() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path MachinePlatform::Host(std::string_view windowsPath) const {
  return sim::HostPathOf(machine(), windowsPath);
}

void MachinePlatform::MakeFolder(std::string_view windowsPath) const {
  std::filesystem::create_directories(Host(windowsPath));
}

void MachinePlatform::PutFile(std::string_view windowsPath, std::string_view bytes) const {
  const std::filesystem::path file = Host(windowsPath);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

void MachinePlatform::ProgramMakeFolder(std::string_view windowsPath) const {
  const sim::FileLayer files(machine());
  sim::ResolvedPath path;
  if (files.Resolve(windowsPath, path) == win::ERROR_SUCCESS && path.exists) return;
  if (!path.parentExists) ProgramMakeFolder(path.parentPath);
  if (files.Resolve(windowsPath, path) != win::ERROR_SUCCESS || files.MakeFolder(path) != 0) {
    throw std::runtime_error("cannot make " + std::string(windowsPath));
  }
}

void MachinePlatform::ProgramPutFile(std::string_view windowsPath, std::string_view bytes) const {
  const sim::FileLayer files(machine());
  sim::ResolvedPath path;
  if (files.Resolve(windowsPath, path) != win::ERROR_SUCCESS) {
    throw std::runtime_error("cannot resolve " + std::string(windowsPath));
  }
  if (!path.parentExists) ProgramMakeFolder(path.parentPath);
  if (files.Resolve(windowsPath, path) != win::ERROR_SUCCESS ||
      files.WriteWhole(path, bytes, win::FILE_ATTRIBUTE_ARCHIVE) != 0) {
    throw std::runtime_error("cannot write " + std::string(windowsPath));
  }
}

void MachinePlatform::DenyEveryone(std::string_view windowsPath, win::ACCESS_MASK rights) const {
  const sim::SecurityModel model(machine());
  model.SetDacl(model.Find(sim::ObjectKind::File, windowsPath),
                sim::Acl{sim::Ace{win::ACCESS_DENIED_ACE_TYPE, 0, rights, sim::EveryoneSid()}});
}

std::string MachinePlatform::ReadFile(std::string_view windowsPath) const {
  return ReadHostFile(Host(windowsPath));
}

bool MachinePlatform::Exists(std::string_view windowsPath) const {
  return machine().Resolve(windowsPath).exists;
}

std::string TestImage(const char* name) {
  return ReadHostFile(std::filesystem::path(LYN_TEST_PE_DIR) / name);
}

}  // namespace lyn::fakes
