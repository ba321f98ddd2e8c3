// End to end: the whole install run, started by Continue, on machines made
// by `lynsim new`, with both logs compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fakes/held_file.h"
#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/security_model.h"
#include "tools/lynsim/lynsim_process.h"

namespace {

namespace fs = std::filesystem;
using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

constexpr const char* kInstall = " --headless --click lblAcceptYes --click cmdOK";

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A log of the first install on a new machine, as kept in tests/data/install.
std::string Expected(const std::string& name) {
  const fs::path file = fs::path(LYN_SOURCE_DIR) / "tests" / "data" / "install" / name;
  EXPECT_TRUE(fs::exists(file)) << file;
  return Contents(file);
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The text with `from` replaced by `to`, which must happen `times` times: the
// expected logs of a scenario are the first install's logs so edited.
std::string Replaced(std::string text, const std::string& from, const std::string& to,
                     int times = 1) {
  int count = 0;
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
    ++count;
  }
  EXPECT_EQ(count, times) << "\"" << from << "\" in\n" << text;
  return text;
}

// The text with `inserted` after the first (or the last) occurrence of `after`.
std::string Inserted(std::string text, const std::string& after, const std::string& inserted,
                     bool last = false) {
  const auto at = last ? text.rfind(after) : text.find(after);
  EXPECT_NE(at, std::string::npos) << after;
  if (at != std::string::npos) text.insert(at + after.size(), inserted);
  return text;
}

// Whether the object holds the grant the program writes: full control for
// the Users group, passed on to everything below.
bool UsersGranted(const std::string& machineFolder, const std::string& path) {
  const lyn::sim::Machine machine = lyn::sim::Machine::Open(machineFolder);
  const lyn::sim::SecurityModel model(machine);
  const bool key = lyn::sim::IsKeyPath(path);
  const lyn::sim::Descriptor descriptor = model.DescriptorOf(
      model.Find(key ? lyn::sim::ObjectKind::RegistryKey : lyn::sim::ObjectKind::File, path));
  const lyn::win::ACCESS_MASK full = key ? lyn::win::KEY_ALL_ACCESS : lyn::win::FILE_ALL_ACCESS;
  return descriptor.dacl &&
         std::any_of(descriptor.dacl->begin(), descriptor.dacl->end(), [&](const auto& ace) {
           return ace.type == lyn::win::ACCESS_ALLOWED_ACE_TYPE && ace.flags == 3 &&
                  ace.sid == lyn::sim::UsersSid() && (ace.mask & full) == full;
         });
}

const std::string kEntry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67\r\n";
const std::string kSuccessfulEntry = "[UNINSTALL REG]\r\n" + kEntry + "Successful\r\n";
const std::string kFailedEntry = "[UNINSTALL REG]\r\n" + kEntry + "Failed\r\n";

class RunInstallTest : public ::testing::Test {
 protected:
  explicit RunInstallTest(const std::string& newArgs = "") : scratch(newArgs) {}

  LynsimResult Run(const std::string& script) {
    return scratch.Lynsim("run " + scratch.machine() + script);
  }
  // Accepts the licence, installs, and leaves by Exit on the last page.
  LynsimResult Install() { return Run(std::string(kInstall) + " --click cmdExit"); }
  void ExpectLogs(const std::string& uninstall, const std::string& installInfo) const {
    EXPECT_EQ(File(uninstallLog), uninstall);
    EXPECT_EQ(File(programFiles + "\\LYN\\InstallInfo.log"), installInfo);
  }
  lyn::sim::Machine Machine() const { return lyn::sim::Machine::Open(scratch.machine()); }
  fs::path Host(const std::string& windowsPath) const {
    return lyn::sim::HostPathOf(Machine(), windowsPath);
  }
  std::string File(const std::string& windowsPath) const { return Contents(Host(windowsPath)); }
  bool Exists(const std::string& windowsPath) const {
    return Machine().Resolve(windowsPath).exists;
  }

  ScratchMachine scratch;
  const std::string programFiles = "C:\\Program Files";
  const std::string uninstallLog = "C:\\Windows\\UnInstallLYN.log";
  const std::string tempFolder = "C:\\Users\\Owner\\AppData\\Local\\Temp\\LYNSetup";
  const std::string uninstallExpected = Expected("win7-uninstall.log");
  const std::string installInfoExpected = Expected("win7-installinfo.log");
};

// A first install writes both logs and offers Finish; a second run is
// refused and changes nothing. As on Windows 7, the administrator consents
// to run the program with full rights; the permission timer finds "all
// access" missing on the system folder and grants: the Windows and system
// folders, TrustedInstaller's, refuse without a word, SOFTWARE takes the
// grant, and so do the folders the run makes.
TEST_F(RunInstallTest, AFirstInstallWritesBothLogsAndASecondRunIsRefused) {
  const LynsimResult result = Install();
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_TRUE(result.out.starts_with("elevation: consent Yes\nshown: frmSetup")) << result.out;
  for (const char* path : {"C:\\Windows", "C:\\Windows\\system32"}) {
    EXPECT_FALSE(UsersGranted(scratch.machine(), path)) << path;
  }
  for (const char* path :
       {"HKLM\\SOFTWARE", "C:\\Program Files\\LYN", "C:\\Program Files\\LYN\\Maps"}) {
    EXPECT_TRUE(UsersGranted(scratch.machine(), path)) << path;
  }
  EXPECT_TRUE(result.out.ends_with("click: cmdExit\nended: Finish\n")) << result.out;
  ExpectLogs(uninstallExpected, installInfoExpected);
  EXPECT_TRUE(Exists(programFiles + "\\LYN\\LYN.exe"));
  EXPECT_TRUE(Exists(programFiles + "\\LYN\\Maps"));
  EXPECT_FALSE(Exists(tempFolder)) << "the temporary folder is removed";
  // The file row advances once per manifest row, wrapping after nine dots.
  std::size_t fileRowUpdates = 0;
  for (std::size_t at = 0;
       (at = result.out.find("caption: lblInprogress \"", at)) != std::string::npos; ++at) {
    ++fileRowUpdates;
  }
  EXPECT_EQ(fileRowUpdates, 48u + 1u);
  EXPECT_TRUE(Has(result.out, "lblInprogress \".........\"\ncaption: lblInprogress \".\"\n"));
  EXPECT_TRUE(Has(result.out,
                  "caption: lblPGprogress \".\"\ncaption: lblPGprogress \"..\"\n"
                  "caption: lblPGprogress \"...\"\ncaption: lblPGprogress \"....\"\n"
                  "caption: lblPGprogress \".....\"\ncaption: lblPGprogress \"....Done\"\n"
                  "visible: imgTick(3) true\nvisible: imgTick(4) true\n"))
      << result.out;

  const LynsimResult second = Run(std::string(kInstall) + " --answer OK");
  EXPECT_TRUE(
      second.out.ends_with("msgbox: \"Installation Already Exists\" [OK] critical \"The LYN "
                           "program is already installed on this computer.\n  \n  If you "
                           "wish to re-install, please uninstall the current\n  \n  "
                           "installation first.  This Setup will now terminate.\"\nanswer: OK\n"
                           "ended: Installation Already Exists\n"))
      << second.out;
  ExpectLogs(uninstallExpected, installInfoExpected);
  EXPECT_FALSE(Exists(programFiles + "\\LYN01"));
}

TEST_F(RunInstallTest, AFolderWithoutTheProductLeadsToTheNextNumberedFolder) {
  fs::create_directories(Host(programFiles + "\\LYN"));
  ASSERT_EQ(Install().status, 0);
  EXPECT_TRUE(
      File(uninstallLog)
          .starts_with("[PROGRAM FILE FOLDER]\r\n" + programFiles + "\\LYN01\r\nSuccessful\r\n"));
  EXPECT_TRUE(Exists(programFiles + "\\LYN01\\LYN.exe"));
  EXPECT_FALSE(Exists(programFiles + "\\LYN\\LYN.exe"));
}

// The stop deletes the temporary folder, then the program folder while the
// install-information log is still open without sharing: the deletion takes
// the folder's entries in the file system's order and ends at that log
// (Windows refuses to delete a file open without FILE_SHARE_DELETE), so the
// log, the Maps folder after it and the program folder stay.
TEST_F(RunInstallTest, AMissingCabinetStopsAndTheOpenLogKeepsTheProgramFolder) {
  fs::remove(Host("LYN.CAB"));
  const LynsimResult result = Run(std::string(kInstall) + " --answer OK");
  EXPECT_TRUE(Has(result.out, "msgbox: \"File Missing\" [OK] critical \"Unable to continue.  "))
      << result.out;
  EXPECT_TRUE(result.out.ends_with("answer: OK\nended: File Missing\n")) << result.out;
  // Both logs as the stop leaves them: the uninstall log closed without
  // "[END]", the install-information log with the version survey only.
  ExpectLogs("[PROGRAM FILE FOLDER]\r\n" + programFiles + "\\LYN\r\nSuccessful\r\n",
             installInfoExpected.substr(0, installInfoExpected.find("First Time Install\r\n")));
  EXPECT_TRUE(Exists(programFiles + "\\LYN\\Maps"));
  EXPECT_FALSE(Exists(tempFolder));
}

TEST_F(RunInstallTest, ACopyOverAFileInUseFailsAndTheRunGoesOn) {
  const std::string uninstaller = "C:\\Windows\\UninstallLYN67.exe";
  std::ofstream(Host(uninstaller)) << "running";
  const lyn::fakes::HeldFile running(Machine(), uninstaller);
  ASSERT_EQ(Install().status, 0);
  const std::string log = File(uninstallLog);
  EXPECT_TRUE(Has(log, "[WINDOWS]\r\n" + uninstaller + "\r\nFailed\r\n[APM]\r\n")) << log;
  EXPECT_FALSE(Has(log, uninstaller + "\r\nNA\r\n")) << "a failed copy is not registered";
  EXPECT_EQ(File(uninstaller), "running");
  EXPECT_TRUE(log.ends_with("[END]\r\n\r\n\r\n")) << log;
}

TEST_F(RunInstallTest, ATemporaryFolderThatCannotBeEmptiedStopsBeforeTheLogs) {
  const std::string leftover = tempFolder + "\\held.tmp";
  fs::create_directories(Host(tempFolder));
  std::ofstream(Host(leftover)) << "held";
  const lyn::fakes::HeldFile held(Machine(), leftover);
  const LynsimResult result = Run(std::string(kInstall) + " --answer OK");
  EXPECT_TRUE(result.out.ends_with(
      "msgbox: \"System Files/Folders in Use\" [OK] critical \"Unable to continue.  Close all "
      "other\n  programs and try again.\"\nanswer: OK\nended: System Files/Folders in Use\n"))
      << result.out;
  EXPECT_TRUE(fs::is_empty(Host(programFiles + "\\LYN"))) << "the program folder stays, empty";
  EXPECT_FALSE(Exists(uninstallLog));
}

TEST_F(RunInstallTest, ANewerSystemFileIsKeptAndNotRegistered) {
  const std::string control = "C:\\Windows\\system32\\MSCOMCTL.OCX";
  const fs::path newer = fs::path(LYN_TEST_PE_DIR) / "catalog_engine_i686.dll";  // 8.0
  fs::copy_file(newer, Host(control), fs::copy_options::overwrite_existing);
  ASSERT_EQ(Install().status, 0);
  const std::string entry = control + "\r\nSuccessful\r\n";
  const std::string survey = control + "\r\nVersion Present = None, Version Shipped = 6.1, ";
  const std::string info =
      Replaced(Replaced(installInfoExpected, survey + "Install = True\r\n",
                        control + "\r\nVersion Present = 8.0, Version Shipped = 6.1, "
                                  "Install = False\r\n"),
               "First Time Install\r\n" + entry, "");
  ExpectLogs(Replaced(uninstallExpected, entry, "", 2), Replaced(info, entry, ""));
  EXPECT_EQ(File(control), Contents(newer));
}

// The default person's install (an administrator who consents to the
// program's request for administrator rights), with the system's help viewer
// present in an older version owned by TrustedInstaller, as Windows 7 owns
// its files, where Administrators may only read and run it. Started from the
// hard disk, the permission timer finds "all access" missing on the system
// folder (Administrators hold Modify there), so the owner check runs and
// refuses the replacement; from a CD there are no access lists to check, so
// the copy goes ahead.
class OlderSystemFileTest : public RunInstallTest {
 protected:
  explicit OlderSystemFileTest(const std::string& newArgs = "") : RunInstallTest(newArgs) {
    fs::copy_file(older, Host(viewer), fs::copy_options::overwrite_existing);
  }

  // The install information both runs share: the version survey now marks
  // the viewer.
  std::string Surveyed() const {
    return Replaced(installInfoExpected,
                    "hh.exe\r\nVersion Present = 6.1, Version Shipped = 6.0, Install = False",
                    "hh.exe\r\nVersion Present = 5.1, Version Shipped = 6.0, Install = True");
  }
  // What both logs share: the viewer is registered (registering a program
  // fails).
  std::string Registered(std::string log) const {
    return Inserted(std::move(log), lastSystemFile, viewer + "\r\nFailed\r\n", true);
  }
  const std::string viewer = "C:\\Windows\\system32\\hh.exe";
  const fs::path older = fs::path(LYN_PRODUCT_DIR) / "system" / "winxp" / "hh.exe";  // 5.1
  const std::string lastSystemFile = "C:\\Windows\\system32\\VB5DB.dll\r\nSuccessful\r\n";
};

class CdStartTest : public OlderSystemFileTest {
 protected:
  CdStartTest() : OlderSystemFileTest("--set Drive.D=CDFS --set 'CurrentDirectory=D:\\'") {}
};

TEST_F(OlderSystemFileTest, TheOwnerCheckRefusesAFileOfTrustedInstaller) {
  ASSERT_EQ(Install().status, 0);
  ExpectLogs(
      Registered(uninstallExpected),
      Registered(Inserted(Surveyed(), lastSystemFile,
                          viewer + "\r\nThe Owner is TrustedInstaller.  Ownership is Elevated "
                                   "Above Administrator.\r\nFailed\r\n")));
  EXPECT_EQ(File(viewer), Contents(older));
}

// Without security the owner check is not made, but the copy still meets the
// file's own list, which lets administrators only read and execute a file of
// TrustedInstaller: it fails as on Windows, and the file is not registered.
TEST_F(CdStartTest, WithoutSecurityTheCopyMeetsTheFilesList) {
  ASSERT_EQ(Install().status, 0);
  const std::string refused = viewer + "\r\nFailed\r\n";
  ExpectLogs(Inserted(uninstallExpected, lastSystemFile, refused),
             Inserted(Surveyed(), lastSystemFile,
                      "Security is not available or not enabled.\r\n" + refused));
  EXPECT_EQ(File(viewer), Contents(older));
}

// The common files under a name in the system's code page, and its ASCII
// twin: the run's texts reach the platform in that code page.
struct CommonFilesCase {
  const char* newArgs;
  std::string folder;    // UTF-8
  std::string ansiName;  // the folder's last name in the machine's code page
};

const CommonFilesCase kCommonFiles[] = {
    {"", "C:\\Program Files\\Common Files", "Common Files"},
    {"--set AnsiCodePage=1252 --set 'CommonFiles=C:\\Program Files\\F\xC3\xA6lles filer'",
     "C:\\Program Files\\F\xC3\xA6lles filer", "F\xE6lles filer"},
    {"--set AnsiCodePage=1250 --set 'CommonFiles=C:\\Program Files\\Spole\xC4\x8Dn\xC3\xA9 "
     "soubory'",
     "C:\\Program Files\\Spole\xC4\x8Dn\xC3\xA9 soubory", "Spole\xE8n\xE9 soubory"},
};

// Each folder the run makes is granted; the run is held at the "File
// Missing" box (no cabinet, no answer), before the stop removes the program
// and temporary folders again.
TEST(RunInstallGrantsTest, EveryFolderTheRunMakesIsGrantedWhateverItsName) {
  for (const CommonFilesCase& c : kCommonFiles) {
    const ScratchMachine scratch(c.newArgs);
    const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
    fs::remove_all(lyn::sim::HostPathOf(machine, c.folder + "\\Microsoft Shared"));
    fs::remove(lyn::sim::HostPathOf(machine, "LYN.CAB"));
    const LynsimResult result = scratch.Lynsim("run " + scratch.machine() + kInstall);
    EXPECT_TRUE(result.out.ends_with("unanswered: \"File Missing\"\nended: script does not fit\n"))
        << result.out;
    for (const std::string& folder :
         {std::string("C:\\Program Files\\LYN"), std::string("C:\\Program Files\\LYN\\Maps"),
          std::string("C:\\Users\\Owner\\AppData\\Local\\Temp\\LYNSetup"),
          c.folder + "\\Microsoft Shared", c.folder + "\\Microsoft Shared\\DAO"}) {
      EXPECT_TRUE(UsersGranted(scratch.machine(), folder)) << folder;
    }
  }
}

// A file of the DAO folder that may be replaced is checked, logged and
// copied the same whatever the folder's name.
TEST(RunInstallGrantsTest, ANonAsciiCommonFilesFolderLogsAsItsAsciiTwin) {
  std::string asciiLogs;
  for (const CommonFilesCase& c : kCommonFiles) {
    const ScratchMachine scratch(c.newArgs);
    const lyn::sim::Machine machine = lyn::sim::Machine::Open(scratch.machine());
    // A library without version information: the survey marks it.
    std::ofstream(lyn::sim::HostPathOf(machine, c.folder + "\\Microsoft Shared\\DAO\\dao360.dll"))
        << "no version";
    const LynsimResult result =
        scratch.Lynsim("run " + scratch.machine() + kInstall + " --click cmdExit");
    ASSERT_EQ(result.status, 0) << result.err << result.out;
    std::string logs =
        Contents(lyn::sim::HostPathOf(machine, "C:\\Windows\\UnInstallLYN.log")) +
        Contents(lyn::sim::HostPathOf(machine, "C:\\Program Files\\LYN\\InstallInfo.log"));
    if (asciiLogs.empty()) {
      asciiLogs = logs;
      EXPECT_TRUE(Has(logs, "Write Permission Granted.\r\n[COMMON]\r\n")) << logs;
    } else {
      const std::string name = "\\Common Files\\";
      int times = 0;
      for (auto at = asciiLogs.find(name); at != std::string::npos;
           at = asciiLogs.find(name, at + 1)) {
        ++times;
      }
      EXPECT_EQ(logs, Replaced(asciiLogs, name, "\\" + c.ansiName + "\\", times)) << c.folder;
    }
  }
}

// The administrator may not write the uninstall entries: the key's list
// grants everyone reading only.
class ReadOnlyUninstallKeyTest : public RunInstallTest {
 protected:
  ReadOnlyUninstallKeyTest()
      : RunInstallTest(
            "--set 'Security:HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall="
            "O:BAD:P(A;CI;KR;;;BA)(A;CI;KR;;;BU)'") {}
};

TEST_F(ReadOnlyUninstallKeyTest, TheUninstallRowGetsTheCrossAndTheRunFinishes) {
  const LynsimResult result = Install();
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_TRUE(Has(result.out, "visible: imgTick(3) true\nvisible: imgCross(4) true\n"))
      << result.out;
  EXPECT_FALSE(Has(result.out, "imgTick(4)")) << result.out;
  EXPECT_TRUE(result.out.ends_with("click: cmdExit\nended: Finish\n")) << result.out;
  ExpectLogs(Replaced(uninstallExpected, kSuccessfulEntry, kFailedEntry),
             Replaced(installInfoExpected, kSuccessfulEntry, kFailedEntry));
}

}  // namespace
