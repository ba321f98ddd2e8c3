// The security call sequence on the emulated machine and under Wine, line by
// line. Where Wine is known to differ from Windows, the line is left out of
// the comparison with the reason, and the machine's answer is checked
// against Windows' instead.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "fakes/machine_platform.h"
#include "platform/differential/security_sequence.h"
#include "platform/differential/wine_prefix.h"

namespace lyn {
namespace {

// The call name of a line: what comes before ": ".
std::string NameOf(const std::string& line) {
  return line.substr(0, line.find(": "));
}

TEST(SecurityDifferential, MachineAnswersAsWindowsDoes) {
  const auto out =
      differential::WinePrefix().Run(std::string(LYN_TEST_WINE_DIR) + "/security_calls.exe");
  if (!out) GTEST_SKIP() << "Wine cannot start (" << differential::WinePrefix::kWine << ")";
  std::vector<std::string> wine;
  std::istringstream lines(*out);
  for (std::string line; std::getline(lines, line);) wine.push_back(line);

  // Wine runs every program with the administrator's full token, as Windows
  // does with User Account Control off; the program asks for nothing more
  // (it has no manifest). The filtered token's answers are the token tests'.
  sim::Profile profile;
  profile.EnableLUA = false;
  fakes::MachinePlatform machine(profile);
  machine.PutFile("C:\\lyn-differential\\probe.txt", "");
  auto& kernel32 = dynamic_cast<sim::SimKernel32&>(machine.platform().kernel32);
  sim::SimAdvapi32Security security(machine.machine(), kernel32, sim::InvokerToken(profile));
  const std::vector<std::string> emulated =
      differential::SecuritySequence(security, kernel32, "C:\\lyn-differential");

  // Wine's differences from Windows, and Windows' answer the machine gives.
  const std::map<std::string, std::pair<const char*, const char*>> wineDiffers = {
      {"LookupAccountSidA Users size query",
       {"Wine's ANSI lookup asks for one character more than Windows",
        "LookupAccountSidA Users size query: 0 0x7A 6 8"}},
      {"LookupAccountSidA Users",
       {"Wine clears the last error on success; Windows leaves it",
        "LookupAccountSidA Users: 1 0xDEADBEEF BUILTIN\\Users"}},
      {"LookupAccountSidA Users lengths",
       {"Wine's ANSI lookup counts the NUL in the lengths it returns",
        "LookupAccountSidA Users lengths: 1 0xDEADBEEF 5 7"}},
      {"SetEntriesInAclA unknown trustee",
       {"Wine answers ERROR_INVALID_PARAMETER; Windows ERROR_NONE_MAPPED",
        "SetEntriesInAclA unknown trustee: 1332"}},
      {"SetEntriesInAclA SET_ACCESS over deny and allow",
       {"Wine keeps the trustee's deny entry; Windows drops allow and deny entries",
        "SetEntriesInAclA SET_ACCESS over deny and allow: 0 1 entries"}},
  };
  ASSERT_EQ(emulated.size(), wine.size());
  for (std::size_t i = 0; i < wine.size(); ++i) {
    const auto differs = wineDiffers.find(NameOf(wine[i]));
    if (differs == wineDiffers.end()) {
      EXPECT_EQ(emulated[i], wine[i]);
    } else {
      EXPECT_EQ(emulated[i], differs->second.second) << "(" << differs->second.first << ")";
    }
  }
}

}  // namespace
}  // namespace lyn
