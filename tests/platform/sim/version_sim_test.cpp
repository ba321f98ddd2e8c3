#include "platform/sim/version_sim.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "fakes/machine_platform.h"
#include "platform/sim/pe/pe_file.h"

namespace lyn::sim {
namespace {

constexpr const char* kEngine = "C:\\Windows\\system32\\engine.dll";

TEST(MachineVersions, BufferHoldsTheResourceAndRoomForAnsiTexts) {
  const std::string image = fakes::TestImage("catalog_engine_x86_64.dll");
  fakes::MachinePlatform machine;
  machine.PutFile(kEngine, image);
  win::Version& version = machine.platform().version;
  const std::vector<std::uint8_t> bytes(image.begin(), image.end());
  const auto resource = pe::ReadVersionResource(bytes);
  ASSERT_TRUE(resource);
  win::DWORD handle = 7;
  const win::DWORD size =
      version.GetFileVersionInfoSizeA("c:\\WINDOWS\\System32\\ENGINE.DLL", &handle);
  EXPECT_EQ(handle, 0u);
  ASSERT_EQ(size, resource->size() * 2 + 4);
  std::vector<std::uint8_t> buffer(size);
  ASSERT_TRUE(version.GetFileVersionInfoA(kEngine, 0, size, buffer.data()));
  EXPECT_TRUE(std::equal(resource->bytes().begin(), resource->bytes().end(), buffer.begin()));

  win::LPVOID value = nullptr;
  win::UINT length = 0;
  ASSERT_TRUE(version.VerQueryValueA(buffer.data(), "\\", &value, &length));
  EXPECT_EQ(length, sizeof(win::VS_FIXEDFILEINFO));
  ASSERT_TRUE(version.VerQueryValueA(buffer.data(), "\\StringFileInfo\\040904B0\\CompanyName",
                                     &value, &length));
  EXPECT_STREQ(static_cast<const char*>(value), "Orrin Works");
  EXPECT_EQ(length, 12u);
  const auto* text = static_cast<const std::uint8_t*>(value);
  EXPECT_TRUE(text >= buffer.data() + resource->size() && text < buffer.data() + size);
  EXPECT_FALSE(version.VerQueryValueA(buffer.data(), "\\StringFileInfo\\0407", &value, &length));

  // A buffer smaller than the resource gets only what fits (the sanitizers
  // watch the end of the exact-size allocation).
  const auto small = std::make_unique<std::uint8_t[]>(10);
  EXPECT_TRUE(version.GetFileVersionInfoA(kEngine, 0, 10, small.get()));
}

}  // namespace
}  // namespace lyn::sim
