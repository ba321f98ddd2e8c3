// lynsim acl DIR PATH: the owner and access list of a file, folder or key.
#include "cmd_acl.h"

#include <iostream>

#include "command.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/security/security_model.h"
#include "platform/sim/security/security_text.h"

namespace lyn::lynsim {
namespace {

sim::ObjectKind KindOf(const std::string& path) {
  const std::string root = sim::FoldCase(path.substr(0, path.find('\\')));
  return root == "hklm" || root == "hkcu" || root == "hkey_local_machine" ||
                 root == "hkey_current_user"
             ? sim::ObjectKind::RegistryKey
             : sim::ObjectKind::File;
}

int RunAcl(const Args& args) {
  if (args.size() != 2) throw UsageError{"acl needs a machine folder and a path or key"};
  PrintAcl(AclOptions{args[0], args[1]}, std::cout);
  return 0;
}

const Command command("acl", "acl DIR PATH|HKLM\\KEY", RunAcl);

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
