// lynsim acl DIR PATH [--sddl|--json]: the owner and access list of a file,
// folder or key.
#include "cmd_acl.h"

#include <iostream>
#include <memory>

#include "command.h"
#include "platform/sim/security/accounts.h"
#include "record_output.h"

namespace lyn::lynsim {
namespace {

sim::ObjectKind KindOf(const std::string& path) {
  return sim::IsKeyPath(path) ? sim::ObjectKind::RegistryKey : sim::ObjectKind::File;
}

Record AclRecord(const sim::Profile& profile, const sim::SecuredObject& object,
                 const std::optional<sim::Descriptor>& descriptor) {
  Record record{{"path", object.path}, {"hasLists", descriptor.has_value()}};
  if (!descriptor) return record;
  const auto account = [&](const std::optional<sim::Sid>& sid) {
    return sid ? Record(sim::AccountText(profile, *sid)) : Record(nullptr);
  };
  record["owner"] = account(descriptor->owner);
  record["group"] = account(descriptor->group);
  record["sddl"] = sim::SddlText(*descriptor);
  record["protected"] = descriptor->daclProtected;
  if (!descriptor->dacl) {
    record["entries"] = nullptr;
    return record;
  }
  Record entries = Record::array();
  for (const sim::Ace& ace : *descriptor->dacl) {
    entries.push_back({{"account", sim::AccountText(profile, ace.sid)},
                       {"sid", sim::SidText(ace.sid)},
                       {"allow", ace.type == win::ACCESS_ALLOWED_ACE_TYPE},
                       {"mask", ace.mask},
                       {"flags", ace.flags},
                       {"text", sim::AccessEntryText(profile, ace, RightsKindOf(object.kind))}});
  }
  record["entries"] = entries;
  return record;
}

const Command kAcl([](CLI::App& app) {
  auto options = std::make_shared<AclOptions>();
  auto sddl = std::make_shared<bool>(false);
  auto json = std::make_shared<bool>(false);
  CLI::App& command = AddCommand(
      app, "acl",
      "The access list of a file, folder or registry key, one entry a line as "
      "ACCOUNT:(I)(OI)(CI)(IO)(NP)(DENY)(RIGHTS); with --sddl the owner, group and list in SDDL",
      "lynsim acl /tmp/m 'C:\\Windows\\system32'");
  AddMachineFolder(command, options->machineFolder);
  command
      .add_option("PATH", options->path, "a Windows path, or a registry key HKLM\\..., HKCU\\...")
      ->required();
  CLI::Option* sddlFlag = command.add_flag("--sddl", *sddl, "print SDDL, as new --set takes it");
  AddJsonFlag(command, *json)->excludes(sddlFlag);
  return [options, sddl, json] {
    options->form = *json ? AclForm::Json : *sddl ? AclForm::Sddl : AclForm::Listing;
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
  const std::optional<sim::Descriptor> descriptor =
      object.hasLists ? std::optional(model.DescriptorOf(object)) : std::nullopt;
  if (options.form == AclForm::Json) {
    out << AclRecord(machine.profile(), object, descriptor).dump() << "\n";
  } else if (!descriptor) {
    out << object.path << ": no owner and no access list on this volume\n";
  } else if (options.form == AclForm::Sddl) {
    out << sim::SddlText(*descriptor) << "\n";
  } else {
    out << sim::AccessListing(machine.profile(), object.path, *descriptor,
                              RightsKindOf(object.kind));
  }
}

void SetSecurity(const sim::Machine& machine, const std::string& path, const std::string& sddl) {
  const sim::SecurityModel model(machine);
  const sim::SecuredObject object = model.Find(KindOf(path), path);
  sim::Descriptor descriptor = model.DescriptorOf(object);
  sim::ApplySddl(sddl, descriptor);
  model.SetDescriptor(object, descriptor);
}

}  // namespace lyn::lynsim
