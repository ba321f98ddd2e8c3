// The built product cabinet: its listing, the versions and entry points of
// its PE files (read with pefile, a reader independent of the machine's), and
// the kinds of its data files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/manifest_rows.h"
#include "platform/sim/machine/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCabinet = fs::path(LYN_PRODUCT_DIR) / "LYN.CAB";

struct Output {
  int status = -1;
  std::string text;
};

// Runs a shell command and captures its standard output.
Output RunShell(const std::string& command) {
  Output output;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.text.append(buffer, n);
  }
  output.status = ::pclose(pipe);
  return output;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool IsPortableExecutable(std::string_view name) {
  const std::string_view extension = name.substr(name.size() - 4);
  for (const char* pe : {".dll", ".DLL", ".ocx", ".OCX", ".exe"}) {
    if (extension == pe) return true;
  }
  return false;
}

// The names the cabinet must hold, in order: each manifest name once.
std::vector<std::string> ShippedNames() {
  std::vector<std::string> names;
  for (const lyn::ManifestEntry& row : lyn::kManifestRows) {
    if (names.empty() || names.back() != row.FileName) names.emplace_back(row.FileName);
  }
  return names;
}

class ProductCabinetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new lyn::sim::testing::ScratchFolder;
    fs::create_directories(scratch_->path());
    const Output extracted = RunShell("cabextract -q -d '" + scratch_->path().string() + "' '" +
                                      kCabinet.string() + "'");
    ASSERT_EQ(extracted.status, 0);
  }
  static void TearDownTestSuite() { delete scratch_; }

  static fs::path Extracted(std::string_view name) { return scratch_->path() / name; }

  static lyn::sim::testing::ScratchFolder* scratch_;
};

lyn::sim::testing::ScratchFolder* ProductCabinetTest::scratch_ = nullptr;

TEST_F(ProductCabinetTest, ListsEachManifestNameOnceInManifestOrder) {
  const Output listing = RunShell("cabextract -l '" + kCabinet.string() + "'");
  ASSERT_EQ(listing.status, 0);
  std::vector<std::string> names;
  for (const std::string& line : Lines(listing.text)) {
    // " 4608 | 14.03.2011 10:00:00 | msjint40.dll"
    const auto size = line.find_first_not_of(' ');
    const auto bar = line.rfind(" | ");
    if (size == std::string::npos || !std::isdigit(static_cast<unsigned char>(line[size])))
      continue;
    if (bar != std::string::npos && line.find(" | ") != bar) names.push_back(line.substr(bar + 3));
  }
  const std::vector<std::string> expected = ShippedNames();
  EXPECT_EQ(names, expected);
  EXPECT_EQ(expected.size(), 1u + 29u + 14u);
  EXPECT_EQ(std::count(names.begin(), names.end(), "SPARE"), 1);
}

TEST_F(ProductCabinetTest, PeFilesCarryTheShippedVersionAndTheirEntryPoints) {
  std::string files;
  std::map<std::string, std::string> shipped;
  for (const std::string& name : ShippedNames()) {
    if (!IsPortableExecutable(name)) continue;
    files += " '" + Extracted(name).string() + "'";
    for (const lyn::ManifestEntry& row : lyn::kManifestRows) {
      if (row.FileName == name) shipped[name] = row.ShippedVersion;
    }
  }
  ASSERT_EQ(shipped.size(), 27u);  // rows 6 to 30, 33 and 34

  const Output summary = RunShell(std::string(LYN_PYTHON3) + " '" + LYN_SOURCE_DIR +
                                  "/tests/product/pe_summary.py'" + files);
  ASSERT_EQ(summary.status, 0);
  const std::vector<std::string> lines = Lines(summary.text);
  ASSERT_EQ(lines.size(), shipped.size());
  for (const std::string& line : lines) {
    std::istringstream fields(line);
    std::string name, version, subsystem, exports;
    fields >> name >> version >> subsystem >> exports;
    SCOPED_TRACE(name);
    EXPECT_EQ(version, shipped.at(name));
    const bool program = name.ends_with(".exe");
    EXPECT_EQ(subsystem, program ? "2" : "3");  // window program, or a library's default
    EXPECT_EQ(exports, program ? "-" : "DllRegisterServer,DllUnregisterServer");
  }
}

TEST_F(ProductCabinetTest, DataFilesAreOfTheirKinds) {
  const auto kind = [](std::string_view name) {
    return RunShell("file -b '" + Extracted(name).string() + "'").text;
  };
  EXPECT_TRUE(kind("QY.chm").starts_with("MS Windows HtmlHelp Data")) << kind("QY.chm");
  EXPECT_TRUE(kind("ssvd.dtb").starts_with("SQLite 3.x database")) << kind("ssvd.dtb");
  std::set<std::string> pictures;
  for (const std::string_view picture : lyn::kMapPictures) {
    SCOPED_TRACE(picture);
    const Output decoded = RunShell("djpeg -pnm '" + Extracted(picture).string() + "'");
    ASSERT_EQ(decoded.status, 0);
    EXPECT_TRUE(decoded.text.starts_with("P6\n320 240\n255\n"));
    pictures.insert(decoded.text);
  }
  EXPECT_EQ(pictures.size(), lyn::kMapPictures.size()) << "every map is its own picture";
}

}  // namespace
