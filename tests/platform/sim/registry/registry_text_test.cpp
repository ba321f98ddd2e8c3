#include "platform/sim/registry/registry_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/sim/machine/scratch_folder.h"
#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {
namespace {

using testing::ScratchFolder;

constexpr const char* kFile =
    "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKLM\\SOFTWARE\\Orrin\\LYN]\r\n"
    "@=\"default\"\r\n"
    "\"Path\"=\"C:\\\\Program Files\\\\LYN \\\"quoted\\\"\"\r\n"
    "\"Size\"=dword:00005710\r\n"
    "\"Bytes\"=hex:01,ff,\\\r\n"
    "  10\r\n"
    "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
    "\"Caf\xC3\xA9\"=\"\xC3\xA9t\xC3\xA9\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Sub]\r\n";

constexpr const char* kExport =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN]\n"
    "@=\"default\"\n"
    "\"Bytes\"=hex:01,ff,10\n"
    "\"Caf\xC3\xA9\"=\"\xC3\xA9t\xC3\xA9\"\n"
    "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
    "\"Path\"=\"C:\\\\Program Files\\\\LYN \\\"quoted\\\"\"\n"
    "\"Size\"=dword:00005710\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Sub]\n"
    "\n";

class RegistryTextTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  Machine machine_ = Machine::Create(folder_.path() / "m", Profile{});
  RegistryStore registry_{machine_.State()};
};

TEST_F(RegistryTextTest, AnImportedFileExportsAgainWithItsTypes) {
  ImportRegistry(machine_, kFile);
  EXPECT_EQ(ExportRegistry(machine_, "HKLM\\software\\orrin\\lyn"), kExport);
  // The registry keeps what the ANSI functions would have stored.
  const auto path = registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", "Path");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->type, win::REG_SZ);
  EXPECT_EQ(std::string(path->data.begin(), path->data.end()),
            std::string("C:\\Program Files\\LYN \"quoted\"", 30));
  const auto cafe = registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", "caf\xC3\xA9");
  ASSERT_TRUE(cafe);
  EXPECT_EQ(std::string(cafe->data.begin(), cafe->data.end()), std::string("\xE9t\xE9", 4));
}

TEST_F(RegistryTextTest,
       DeletionsRemoveKeysWithTheirSubkeysAndSingleValuesAndAGoneKeyCannotBeExported) {
  ImportRegistry(machine_, kFile);
  ImportRegistry(machine_,
                 "Windows Registry Editor Version 5.00\n"
                 "[-HKLM\\SOFTWARE\\Orrin\\LYN\\Sub]\n"
                 "[HKLM\\SOFTWARE\\Orrin\\LYN]\n"
                 "\"Size\"=-\n"
                 "@=-\n");
  EXPECT_FALSE(registry_.FindKey("HKLM\\SOFTWARE\\Orrin\\LYN\\Sub"));
  EXPECT_FALSE(registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", "Size"));
  EXPECT_FALSE(registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", ""));
  EXPECT_TRUE(registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", "Path"));
  ImportRegistry(machine_,
                 "Windows Registry Editor Version 5.00\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin]\n");
  EXPECT_FALSE(registry_.FindKey("HKLM\\SOFTWARE\\Orrin\\LYN"));
  EXPECT_TRUE(registry_.FindKey("HKLM\\SOFTWARE"));
  EXPECT_THROW(ExportRegistry(machine_, "HKLM\\SOFTWARE\\Orrin"), MachineError);
}

TEST_F(RegistryTextTest, AMalformedFileIsRefusedByLineAndChangesNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"REGEDIT4\n", "line 1: the file must start with"},
      {"Windows Registry Editor Version 5.00\n\"A\"=\"1\"\n", "line 2: a value must follow a key"},
      {"Windows Registry Editor Version 5.00\n[HKLM\\X]\n\"A\"=dword:1234567890\n",
       "line 3: '1234567890' is not a 32-bit"},
      {"Windows Registry Editor Version 5.00\n[HKLM\\X]\n\"A\"=hex:1,zz\n",
       "line 3: 'zz' is not a hexadecimal byte"},
      {"Windows Registry Editor Version 5.00\n[NOWHERE\\X]\n",
       "line 2: a key must start with a root"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ImportRegistry(machine_, text);
      ADD_FAILURE() << text;
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(std::string(e.what()).rfind(message, 0), 0u) << e.what();
    }
    EXPECT_FALSE(registry_.FindKey("HKLM\\X")) << text;
  }
}

}  // namespace
}  // namespace lyn::sim
