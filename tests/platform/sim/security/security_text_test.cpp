#include "platform/sim/security/security_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/sim/machine/scratch_folder.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/security_model.h"

namespace lyn::sim {
namespace {

using testing::ScratchFolder;

// The owner and list of every folder and key a preset's machine gives its
// edition's defaults go out as SDDL and come back the same.
TEST(SecurityTextTest, ThePresetsListsGoThroughSddlUnchanged) {
  const ScratchFolder folder;
  int checked = 0;
  for (const Preset& preset : Presets()) {
    SCOPED_TRACE(preset.name);
    const Machine machine = Machine::Create(folder.path() / preset.name, preset.profile);
    const SecurityModel model(machine);
    const Profile& p = preset.profile;
    const std::pair<ObjectKind, std::string> objects[] = {
        {ObjectKind::File, "C:\\"},
        {ObjectKind::File, p.WindowsDirectory},
        {ObjectKind::File, p.SystemDirectory},
        {ObjectKind::File, p.ProgramFiles},
        {ObjectKind::File, p.CommonFiles},
        {ObjectKind::File, p.CommonPrograms},
        {ObjectKind::File, p.Desktop},
        {ObjectKind::RegistryKey, "HKEY_LOCAL_MACHINE\\SOFTWARE"},
        {ObjectKind::RegistryKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft"},
    };
    for (const auto& [kind, path] : objects) {
      const SecuredObject object = model.Find(kind, path);
      if (!object.exists || !object.hasLists) continue;
      const Descriptor descriptor = model.DescriptorOf(object);
      const std::string sddl = SddlText(descriptor);
      Descriptor read;
      ApplySddl(sddl, read);
      EXPECT_EQ(read, descriptor) << path << ": " << sddl;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

// Documented forms: SDDL as Windows writes a folder's and a key's entries
// (aliases where a whole mask or every bit has one, else a number), and the
// access-list tool's simple and specific rights.
TEST(SecurityTextTest, EntriesAreWrittenInTheFormsWindowsToolsUse) {
  const Profile profile;
  const Sid users = UsersSid();
  const struct {
    Ace ace;
    RightsKind kind;
    const char* sddl;
    const char* listing;
  } cases[] = {
      {{win::ACCESS_ALLOWED_ACE_TYPE, 0x03, 0x001200A9, users},
       RightsKind::File,
       "(A;OICI;0x1200a9;;;BU)",
       "BUILTIN\\Users:(OI)(CI)(RX)"},
      {{win::ACCESS_ALLOWED_ACE_TYPE, 0x0B, 0x10000000, SystemSid()},
       RightsKind::File,
       "(A;OICIIO;GA;;;SY)",
       "NT AUTHORITY\\SYSTEM:(OI)(CI)(IO)(F)"},
      {{win::ACCESS_ALLOWED_ACE_TYPE, 0x1B, 0xA0000000, users},
       RightsKind::File,
       "(A;OICIIOID;GRGX;;;BU)",
       "BUILTIN\\Users:(I)(OI)(CI)(IO)(GR,GE)"},
      {{win::ACCESS_ALLOWED_ACE_TYPE, 0x13, 0x001301BF, users},
       RightsKind::File,
       "(A;OICIID;0x1301bf;;;BU)",
       "BUILTIN\\Users:(I)(OI)(CI)(M)"},
      {{win::ACCESS_DENIED_ACE_TYPE, 0x00, 0x00040000, EveryoneSid()},
       RightsKind::File,
       "(D;;WD;;;WD)",
       "Everyone:(DENY)(WDAC)"},
      {{win::ACCESS_ALLOWED_ACE_TYPE, 0x02, 0x00020019, users},
       RightsKind::Key,
       "(A;CI;KR;;;BU)",
       "BUILTIN\\Users:(CI)(R)"},
      {{win::ACCESS_ALLOWED_ACE_TYPE, 0x02, 0x000F003F, AdministratorsSid()},
       RightsKind::Key,
       "(A;CI;KA;;;BA)",
       "BUILTIN\\Administrators:(CI)(F)"},
      {{win::ACCESS_ALLOWED_ACE_TYPE, 0x00, 0x00030003, TrustedInstallerSid()},
       RightsKind::Key,
       "(A;;RCSDCCDC;;;S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464)",
       "NT SERVICE\\TrustedInstaller:(D,RC,0x3)"},
  };
  for (const auto& c : cases) {
    const Descriptor descriptor{std::nullopt, std::nullopt, Acl{c.ace}, false};
    EXPECT_EQ(SddlText(descriptor), std::string("D:") + c.sddl);
    EXPECT_EQ(AccessEntryText(profile, c.ace, c.kind), c.listing);
  }
  EXPECT_EQ(SddlText(Descriptor{AdministratorsSid(), SystemSid(), std::nullopt, false}),
            "O:BAG:SYD:NO_ACCESS_CONTROL");
}

TEST(SecurityTextTest, MalformedSddlIsRefusedNamingThePartAndChangesNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "the text is empty"},
      {"owner=BA", "expected O:, G: or D:"},
      {"O:XX", "'XX' is neither an account alias nor an S-1-... identifier"},
      {"D:P(A;OICI;FA;;BU)", "an entry has six fields"},
      {"D:(X;;FA;;;BU)", "the entry type must be A (allow) or D (deny)"},
      {"D:(A;QQ;FA;;;BU)", "'QQ' is not an inheritance flag"},
      {"D:(A;;ZZ;;;BU)", "'ZZ' is not a right"},
      {"D:(A;;0x1FFFFFFFF;;;BU)", "is not a 32-bit number"},
      {"D:(A;;FA;;;BU", "an entry has no closing ')'"},
      {"D:NO_ACCESS_CONTROL(A;;FA;;;BU)", "a NULL list has no entries"},
  };
  for (const auto& [text, message] : cases) {
    Descriptor descriptor{UsersSid(), std::nullopt, Acl{}, false};
    const Descriptor before = descriptor;
    try {
      ApplySddl(text, descriptor);
      ADD_FAILURE() << text;
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << text << ": " << e.what();
    }
    EXPECT_EQ(descriptor, before) << text;
  }
}

}  // namespace
}  // namespace lyn::sim
