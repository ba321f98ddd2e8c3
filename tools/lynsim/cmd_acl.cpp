// lynsim acl DIR PATH: the owner and access list of a file, folder or key.
#include "cmd_acl.h"

#include <iostream>
#include <memory>

#include "command.h"
#include "platform/sim/security/security_model.h"
#include "platform/sim/security/security_text.h"

namespace lyn::lynsim {
namespace {

sim::ObjectKind KindOf(const std::string& path) {
  return sim::IsKeyPath(path) ? sim::ObjectKind::RegistryKey : sim::ObjectKind::File;
}

const Command kAcl([](CLI::App& app) {
  auto options = std::make_shared<AclOptions>();
  CLI::App& command =
      AddCommand(app, "acl", "The owner and access list of a file, folder or registry key",
                 "lynsim acl /tmp/m 'C:\\Windows\\system32'");
  AddMachineFolder(command, options->machineFolder);
  command
      .add_option("PATH", options->path, "a Windows path, or a registry key HKLM\\..., HKCU\\...")
      ->required();
  return [options] {
    PrintAcl(*options, std::cout);
    return kExitDone;
  };
});

}  // namespace

void PrintAcl(const AclOptions& options, std::ostream& out) {
  const sim::Machine machine = sim::Machine::Open(options.machineFolder);
  const sim::SecurityModel model(machine);
  const sim::SecuredObject object = model.Find(KindOf(options.path), options.path);
  if (!object.exists)
    throw sim::MachineError("'" + options.path + "' does not exist on the machine");
  if (!object.hasLists) {
    out << object.path << ": no owner and no access list on this volume\n";
    return;
  }
  out << object.path << "\n" << sim::DescriptorText(machine.profile(), model.DescriptorOf(object));
}

void SetSecurity(const sim::Machine& machine, const std::string& path, const std::string& text) {
  const sim::SecurityModel model(machine);
  const sim::SecuredObject object = model.Find(KindOf(path), path);
  sim::Descriptor descriptor = model.DescriptorOf(object);
  sim::ApplyDescriptorText(machine.profile(), text, descriptor);
  model.SetDescriptor(object, descriptor);
}

}  // namespace lyn::lynsim
