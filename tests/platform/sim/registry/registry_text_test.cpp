#include "platform/sim/registry/registry_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "platform/sim/machine/code_page.h"
#include "platform/sim/machine/scratch_folder.h"
#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {
namespace {

using testing::ScratchFolder;

// A file as a person writes it: UTF-8, short roots, a continued hex list.
constexpr const char* kFile =
    "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
    "\n"
    "[HKLM\\SOFTWARE\\Orrin\\LYN]\n"
    "@=\"default\"\n"
    "\"Path\"=\"C:\\\\Program Files\\\\LYN \\\"quoted\\\"\"\n"
    "\"Size\"=dword:00005710\n"
    "\"Bytes\"=hex:01,ff,\\\n"
    "  10\n"
    "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
    "\"Caf\xC3\xA9\"=\"\xC3\xA9t\xC3\xA9\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Windows\\Sub]\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Windows NT]\n";

// The same keys as the registry editor writes them (here in UTF-8; the file
// itself is UTF-16LE): keys depth first, so "Windows NT" comes after the
// whole of "Windows".
constexpr const char* kExport =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN]\r\n"
    "@=\"default\"\r\n"
    "\"Bytes\"=hex:01,ff,10\r\n"
    "\"Caf\xC3\xA9\"=\"\xC3\xA9t\xC3\xA9\"\r\n"
    "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
    "\"Path\"=\"C:\\\\Program Files\\\\LYN \\\"quoted\\\"\"\r\n"
    "\"Size\"=dword:00005710\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Windows]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Windows\\Sub]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Windows NT]\r\n"
    "\r\n";

std::string Utf16File(const std::string& utf8) {
  std::string file = "\xFF\xFE";
  const auto wide = DecodeText(kUtf8CodePage, utf8, true);
  for (const char16_t unit : *wide) {
    file += static_cast<char>(unit & 0xFF);
    file += static_cast<char>(unit >> 8);
  }
  return file;
}

class RegistryTextTest : public ::testing::Test {
 protected:
  void ExpectRefused(const std::string& file, const std::string& message) {
    try {
      ImportRegistry(machine_, file);
      ADD_FAILURE() << file.substr(0, 200);
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(std::string(e.what()).rfind(message, 0), 0u) << e.what();
      const std::string what = e.what();
      EXPECT_LT(what.size(), 200u);
      EXPECT_TRUE(std::none_of(what.begin(), what.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20;
      })) << what;
    }
  }

  ScratchFolder folder_;
  Machine machine_ = Machine::Create(folder_.path() / "m", Profile{});
  RegistryStore registry_{machine_.State()};
};

TEST_F(RegistryTextTest, AnImportedFileExportsAsTheRegistryEditorWritesIt) {
  ImportRegistry(machine_, kFile);
  EXPECT_EQ(ExportRegistry(machine_, "HKLM\\software\\orrin\\lyn"), Utf16File(kExport));
  // The registry keeps what the ANSI functions would have stored.
  const auto path = registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", "Path");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->type, win::REG_SZ);
  EXPECT_EQ(std::string(path->data.begin(), path->data.end()),
            std::string("C:\\Program Files\\LYN \"quoted\"", 30));
  const auto cafe = registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", "caf\xC3\xA9");
  ASSERT_TRUE(cafe);
  EXPECT_EQ(std::string(cafe->data.begin(), cafe->data.end()), std::string("\xE9t\xE9", 4));
  // Its own export reads back unchanged.
  ImportRegistry(machine_, ExportRegistry(machine_, "HKLM\\SOFTWARE\\Orrin"));
  EXPECT_EQ(ExportRegistry(machine_, "HKLM\\software\\orrin\\lyn"), Utf16File(kExport));
}

// The registry editor breaks a hex list once a line reaches column 77: the
// first line holds as many bytes as fit after the name, each further line 25
// after two blanks (Wine's regedit writes the same; the round trip with it
// compares whole files).
TEST_F(RegistryTextTest, LongHexListsWrapAsTheRegistryEditorWrapsThem) {
  RegistryValue value{"Bin", win::REG_BINARY, {}};
  for (int i = 0; i < 64; ++i) value.data.push_back(static_cast<std::uint8_t>(i));
  registry_.CreateKey("HKLM\\X");
  registry_.SetValue("HKLM\\X", value);
  EXPECT_EQ(ExportRegistry(machine_, "HKLM\\X"),
            Utf16File("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\X]\r\n"
                      "\"Bin\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,"
                      "14,15,16,\\\r\n"
                      "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,"
                      "2e,2f,\\\r\n"
                      "  30,31,32,33,34,35,36,37,38,39,3a,3b,3c,3d,3e,3f\r\n\r\n"));
  // The one-line form the machine comparison prints does not wrap.
  EXPECT_EQ(ValueLine(machine_, value).find('\n'), std::string::npos);
}

// REGEDIT4 files are in the ANSI code page and carry string data as ANSI
// bytes; they are written on request and read like the others.
TEST_F(RegistryTextTest, Regedit4FilesAreAnsiBothWays) {
  ImportRegistry(machine_, kFile);
  const std::string file = ExportRegistry(machine_, "HKLM\\SOFTWARE\\Orrin\\LYN\\Windows NT",
                                          RegistryFileKind::Regedit4);
  EXPECT_EQ(file, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN\\Windows NT]\r\n\r\n");
  ImportRegistry(machine_,
                 "REGEDIT4\r\n\r\n[HKLM\\Y]\r\n\"\xE9\"=\"\xE9\"\r\n\"E\"=hex(2):25,41,25,00\r\n");
  EXPECT_EQ(registry_.GetValue("HKLM\\Y", "\xC3\xA9")->data, (std::vector<std::uint8_t>{0xE9, 0}));
  EXPECT_EQ(registry_.GetValue("HKLM\\Y", "E")->data,
            (std::vector<std::uint8_t>{'%', 'A', '%', 0}));
  EXPECT_NE(ExportRegistry(machine_, "HKLM\\Y", RegistryFileKind::Regedit4)
                .find("\"E\"=hex(2):25,41,25,00\r\n\"\xE9\"=\"\xE9\"\r\n"),
            std::string::npos);
}

TEST_F(RegistryTextTest, DeletionsRemoveKeysWithTheirSubkeysAndSingleValuesButNeverARootKey) {
  ImportRegistry(machine_, kFile);
  ImportRegistry(machine_,
                 "Windows Registry Editor Version 5.00\n"
                 "[-HKLM\\SOFTWARE\\Orrin\\LYN\\Windows]\n"
                 "[HKLM\\SOFTWARE\\Orrin\\LYN]\n"
                 "\"Size\"=-\n"
                 "@=-\n");
  EXPECT_FALSE(registry_.FindKey("HKLM\\SOFTWARE\\Orrin\\LYN\\Windows\\Sub"));
  EXPECT_TRUE(registry_.FindKey("HKLM\\SOFTWARE\\Orrin\\LYN\\Windows NT"));
  EXPECT_FALSE(registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", "Size"));
  EXPECT_FALSE(registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", ""));
  EXPECT_TRUE(registry_.GetValue("HKLM\\SOFTWARE\\Orrin\\LYN", "Path"));
  ExpectRefused("Windows Registry Editor Version 5.00\n[-HKEY_LOCAL_MACHINE]\n",
                "line 2: a root key cannot be deleted");
  EXPECT_TRUE(registry_.FindKey("HKLM\\SOFTWARE\\Orrin\\LYN"));
  EXPECT_THROW(ExportRegistry(machine_, "HKLM\\SOFTWARE\\None"), MachineError);
}

// A malformed file, or one beyond the registry's documented limits (a key
// name of 255 characters, 512 levels, a value name of 16,383 characters), is
// refused by its line, with at most a short excerpt of it, and changes nothing.
TEST_F(RegistryTextTest, AMalformedOrOversizedFileIsRefusedByLineAndChangesNothing) {
  const std::string header = "Windows Registry Editor Version 5.00\n";
  std::string deep = "[HKLM\\X";
  for (int level = 0; level < 15000; ++level) deep += "\\k";
  std::string deepest = "[HKLM\\X";
  for (int level = 1; level < 512; ++level) deepest += "\\k";
  const std::pair<std::string, std::string> cases[] = {
      {"REGEDIT5\n", "line 1: the file must start with"},
      {header + "\"A\"=\"1\"\n", "line 2: a value must follow a key"},
      {header + "[HKLM\\X]\n\"A\"=dword:1234567890\n", "line 3: '1234567890' is not a 32-bit"},
      {header + "[HKLM\\X]\n\"A\"=hex:1,zz\n", "line 3: 'zz' is not a hexadecimal byte"},
      {header + "[NOWHERE\\X]\n", "line 2: a key must start with a root"},
      {header + "[HKLM\\X\\" + std::string(256, 'k') + "]\n",
       "line 2: a key name is longer than 255 characters"},
      {header + deep + "]\n", "line 2: the key is 15001 levels deep; the registry allows 512"},
      {header + deepest + "\\k]\n", "line 2: the key is 513 levels deep"},
      {header + "[HKLM\\X]\n\"" + std::string(16384, 'v') + "\"=\"\"\n",
       "line 3: a value name is longer than 16383 characters"},
      {header + "[HKLM\\X]\n\"A\"=\"1\"\x1b[31m\n", "line 3: text follows a string value"},
  };
  for (const auto& [text, message] : cases) {
    ExpectRefused(text, message);
    EXPECT_FALSE(registry_.FindKey("HKLM\\X")) << text.substr(0, 80);
  }
  ImportRegistry(machine_, header + deepest + "]\n[HKLM\\X\\" + std::string(255, 'k') + "]\n");
  EXPECT_TRUE(registry_.FindKey("HKLM\\X\\" + std::string(255, 'k')));
}

}  // namespace
}  // namespace lyn::sim
