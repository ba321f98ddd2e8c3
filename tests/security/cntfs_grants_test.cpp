#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>

#include "fakes/machine_platform.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/ui/event_loop.h"
#include "security/cntfs.h"
#include "shell/frm_setup.h"

namespace lyn {
namespace {

using sim::Ace;
using sim::Acl;
using sim::ObjectKind;

constexpr win::BYTE kAllow = win::ACCESS_ALLOWED_ACE_TYPE;
constexpr win::BYTE kDeny = win::ACCESS_DENIED_ACE_TYPE;

// Nothing is pending on these machines: pumping messages does nothing.
class IdleLoop : public sim::EventLoop {
 public:
  void Run() override {}
  void DoEvents() override {}
  std::vector<std::string> ClicksLeft() const override { return {}; }
};

class Grants : public ::testing::Test {
 protected:
  void Start(const sim::Profile& profile = {}) {
    machine.emplace(profile);
    machine->sim().widgets().SetEventLoop(loop);
  }
  const sim::SecurityModel& model() { return machine->sim().advapi32Security().model(); }
  sim::Descriptor Of(ObjectKind kind, const char* path) {
    return model().DescriptorOf(model().Find(kind, path));
  }
  // The entries of an object's list that name the Users group.
  Acl UsersEntries(ObjectKind kind, const char* path) {
    Acl entries;
    std::ranges::copy_if(*Of(kind, path).dacl, std::back_inserter(entries),
                         [](const Ace& ace) { return ace.sid == sim::UsersSid(); });
    return entries;
  }

  IdleLoop loop;
  std::optional<fakes::MachinePlatform> machine;
  std::optional<frmSetup> form;
};

TEST_F(Grants, OnlyFoldersAreGrantedAndAGrantReplacesTheGroupsEntriesInEveryChild) {
  sim::Profile german;
  german.UsersGroupName = "Benutzer";
  Start(german);
  machine->PutFile("C:\\Data\\Sub\\deep.txt", "x");
  machine->PutFile("C:\\Data\\top.txt", "x");
  // The program made the folder: it belongs to the Administrators group.
  model().Created(model().Find(ObjectKind::File, "C:\\Data"));
  model().SetDacl(model().Find(ObjectKind::File, "C:\\Data"),
                  {Ace{kDeny, 3, win::FILE_ALL_ACCESS, sim::UsersSid()},
                   Ace{kAllow, 3, win::FILE_ALL_ACCESS, sim::AdministratorsSid()}});
  ASSERT_NE(
      std::ranges::count(UsersEntries(ObjectKind::File, "C:\\Data\\top.txt"), kDeny, &Ace::type),
      0);

  const sim::Descriptor file = Of(ObjectKind::File, "C:\\Data\\top.txt");
  cNTFS security(machine->platform());
  // A file or a missing path is not granted, nor its group even looked up.
  EXPECT_EQ(security.FreeFolder("C:\\Data\\top.txt"), 4u);
  EXPECT_EQ(security.FreeFolder("C:\\Missing"), 4u);
  EXPECT_EQ(security.nameLocalUsers, "");
  EXPECT_EQ(Of(ObjectKind::File, "C:\\Data\\top.txt"), file);
  EXPECT_EQ(security.FreeFolder("C:\\Data"), 0u);
  EXPECT_EQ(security.nameLocalUsers, "Benutzer");

  Acl explicitEntries;
  std::ranges::copy_if(UsersEntries(ObjectKind::File, "C:\\Data"),
                       std::back_inserter(explicitEntries),
                       [](const Ace& ace) { return (ace.flags & win::INHERITED_ACE) == 0; });
  EXPECT_EQ(explicitEntries, (Acl{Ace{kAllow, 3, win::FILE_ALL_ACCESS, sim::UsersSid()}}));
  const std::pair<const char*, win::BYTE> children[] = {
      {"C:\\Data\\Sub", 0x13}, {"C:\\Data\\top.txt", 0x10}, {"C:\\Data\\Sub\\deep.txt", 0x10}};
  for (const auto& [child, flags] : children) {
    const Acl entries = UsersEntries(ObjectKind::File, child);
    EXPECT_EQ(std::ranges::count(entries, kDeny, &Ace::type), 0) << child;
    EXPECT_EQ(std::count(entries.begin(), entries.end(),
                         Ace{kAllow, flags, win::FILE_ALL_ACCESS, sim::UsersSid()}),
              1)
        << child;
  }
  // A file made after the grant takes the entry too.
  machine->PutFile("C:\\Data\\Sub\\later.txt", "x");
  const Acl later = UsersEntries(ObjectKind::File, "C:\\Data\\Sub\\later.txt");
  ASSERT_FALSE(later.empty());
  EXPECT_EQ(later.front(), (Ace{kAllow, 0x10, win::FILE_ALL_ACCESS, sim::UsersSid()}));
}

// What the timer finds and grants on each kind of fresh Windows. On
// Windows 7 the elevated program lacks "all access" on the system folder
// (Administrators hold Modify there), so it tries: the Windows and system
// folders belong to TrustedInstaller and refuse the new list without a word,
// SOFTWARE takes it. An XP administrator holds all four rights and grants
// nothing; an XP limited user lacks them but may not change any list.
TEST_F(Grants, TheTimerGrantsWhereTheProgramsTokenMay) {
  const struct Row {
    const char* preset;
    bool admin;
    bool fromCd;
    Boolean16 securityEnabled;
    bool softwareGranted;
  } rows[] = {
      {"win7-ultimate-sp1", true, false, kTrue16, true},
      {"winxp-pro", true, false, kFalse16, false},
      {"winxp-pro", false, false, kTrue16, false},
      {"winxp-pro", false, true, kFalse16, false},  // a CD keeps no lists: no test at all
  };
  for (const Row& row : rows) {
    sim::Profile profile = sim::FindPreset(row.preset).profile;
    profile.IsAdmin = row.admin;
    if (row.fromCd) {
      profile.drives['E'] = sim::DriveVolume{"CDFS", "LYN67", 7};
      profile.CurrentDirectory = "E:\\";
    }
    Start(profile);
    const sim::Descriptor windows = Of(ObjectKind::File, profile.WindowsDirectory.c_str());
    const sim::Descriptor system = Of(ObjectKind::File, profile.SystemDirectory.c_str());
    const sim::Descriptor software = Of(ObjectKind::RegistryKey, "HKLM\\SOFTWARE");
    form.emplace(machine->platform());
    form->Show();
    machine->sim().widgets().Find("tmrSetPermissions")->Tick();
    EXPECT_EQ(NtfsVolume, row.fromCd ? kFalse16 : kTrue16) << row.preset;
    EXPECT_EQ(SecurityEnabled, row.securityEnabled) << row.preset << row.admin;
    EXPECT_EQ(Of(ObjectKind::File, profile.WindowsDirectory.c_str()), windows) << row.preset;
    EXPECT_EQ(Of(ObjectKind::File, profile.SystemDirectory.c_str()), system) << row.preset;
    EXPECT_EQ(Of(ObjectKind::RegistryKey, "HKLM\\SOFTWARE") != software, row.softwareGranted)
        << row.preset << row.admin;
    EXPECT_EQ(machine->sim().widgets().MousePointers(), (std::vector<int>{13, 0}));
    EXPECT_FALSE(machine->sim().widgets().Find("tmrSetPermissions")->Enabled());
    form.reset();
    ResetModuleState();
  }
}

}  // namespace
}  // namespace lyn
