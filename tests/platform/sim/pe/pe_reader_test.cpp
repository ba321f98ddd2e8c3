#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/machine_platform.h"
#include "platform/sim/pe/pe_file.h"
#include "platform/sim/pe/pe_image.h"
#include "platform/sim/pe/version_block.h"

namespace lyn::sim::pe {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Load(const char* name) {
  const std::string image = fakes::TestImage(name);
  return Bytes(image.begin(), image.end());
}

class CatalogEngine : public ::testing::TestWithParam<const char*> {};

TEST_P(CatalogEngine, VersionResourceAndExports) {
  const Bytes file = Load(GetParam());
  EXPECT_EQ(Image(file).Is64(), std::string(GetParam()).find("x86_64") != std::string::npos);

  const auto block = ReadVersionResource(file);
  ASSERT_TRUE(block);
  EXPECT_EQ(FixedFileInfo(*block)->dwFileVersionLS, 0x177149D8u);

  EXPECT_EQ(ReadExport(file, "DllRegisterServer").value().forwarder, "");
  EXPECT_EQ(ReadExport(file, "CatalogTicks").value().forwarder, "kernel32.GetTickCount");
  EXPECT_FALSE(ReadExport(file, "dllregisterserver"));
  EXPECT_FALSE(ReadExport(file, "CatalogOpenImpl"));
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, CatalogEngine,
                         ::testing::Values("catalog_engine_i686.dll", "catalog_engine_x86_64.dll"));

// Every prefix of the real images: nothing is read past the end (the
// sanitizers watch), and whatever is still found is what the whole holds.
TEST(PeFile, TruncatedImagesGiveNothingOrTheTruth) {
  for (const char* name : {"catalog_engine_i686.dll", "catalog_engine_x86_64.dll"}) {
    const Bytes whole = Load(name);
    const std::uint32_t rva = ReadExport(whole, "DllRegisterServer")->rva;
    for (std::size_t length = 0; length < whole.size(); ++length) {
      const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
      if (const auto block = ReadVersionResource(prefix)) {
        EXPECT_EQ(FixedFileInfo(*block)->dwFileVersionLS, 0x177149D8u);
      }
      if (const auto found = ReadExport(prefix, "DllRegisterServer")) {
        EXPECT_EQ(found->rva, rva);
      }
    }
  }
}

TEST(PeFile, DamageLosesOnlyWhatItTouches) {
  const Bytes original = Load("catalog_engine_i686.dll");
  const std::uint32_t peHeader = ByteView(original).U32(0x3C);
  const std::size_t optionalHeader = peHeader + 24;
  const std::size_t fixedInfo = static_cast<std::size_t>(
      ReadVersionResource(original)->bytes().data() - original.data() + 40);
  const struct {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    bool versionKept, exportKept;
  } damages[] = {
      {"MZ signature", 0, 0x00905A4E, false, false},
      {"PE header beyond the file", 0x3C, 0x7FFFFFF0, false, false},
      {"PE signature", peHeader, 0x00004551, false, false},
      {"optional header magic", optionalHeader, 0x0000010C, false, false},
      {"section count", peHeader + 4, 0xFFFF0000 | ByteView(original).U16(peHeader + 4), false,
       false},
      {"export directory outside the image", optionalHeader + 96, 0x7FFF0000, true, false},
      {"resource directory outside the image", optionalHeader + 112, 0x7FFF0000, false, true},
      {"no resource directory", optionalHeader + 112, 0, false, true},
      {"fixed information signature", fixedInfo, 0xFEEF04BC, false, true},
  };
  for (const auto& damage : damages) {
    Bytes file = original;
    for (int i = 0; i < 4; ++i) {
      file[damage.offset + i] = static_cast<std::uint8_t>(damage.value >> (8 * i));
    }
    EXPECT_EQ(ReadVersionResource(file).has_value(), damage.versionKept) << damage.what;
    EXPECT_EQ(ReadExport(file, "DllRegisterServer").has_value(), damage.exportKept) << damage.what;
  }
}

TEST(VersionBlock, DamagedNodesAreFormatErrors) {
  const Bytes longerThanTheBlock = {0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 'V', 0x00};
  const Bytes keyWithoutEnd = {0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 'V', 0x00, 'S', 0x00};
  for (const Bytes& block : {longerThanTheBlock, keyWithoutEnd}) {
    EXPECT_THROW(FindVersionValue(ByteView(block), "\\"), FormatError);
    EXPECT_THROW(FixedFileInfo(ByteView(block)), FormatError);
  }
}

}  // namespace
}  // namespace lyn::sim::pe
