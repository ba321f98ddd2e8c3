// The same library and thread calls on the emulated machine and on Wine give
// the same results. Skipped, with a message, only when Wine cannot start.
//
// The emulated machine is the shipped 32-bit program's platform; the program
// run under Wine is a 64-bit one. So each side is given the libraries of its
// own width in the same roles: the product's control as shipped (32-bit) on
// the machine and built from the same source as a 64-bit library for Wine,
// and the library of the other width, which neither can load.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fakes/machine_platform.h"
#include "platform/differential/library_sequence.h"
#include "platform/differential/wine_prefix.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::differential {
namespace {

std::string ProductFile(const char* name) {
  std::ifstream in(std::filesystem::path(LYN_PRODUCT_DIR) / "files" / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LibraryDifferentialTest, TheMachineLoadsAndRunsAsWineDoes) {
  const WinePrefix wine;
  const std::filesystem::path images(LYN_TEST_PE_DIR);
  const sim::testing::ScratchFolder scratch;
  std::filesystem::create_directories(scratch.path());
  std::ofstream(scratch.path() / "text.dll") << "not a library";
  const auto windows = [&](const char* name) { return WinePrefix::WindowsPath(images / name); };
  const auto out = wine.Run(
      std::string(LYN_TEST_WINE_DIR) + "/library_calls.exe",
      {"product control", windows("product_library_x86_64.dll"), "engine",
       windows("catalog_engine_x86_64.dll"), "plain library", windows("plain_library_x86_64.dll"),
       "other width", windows("catalog_engine_i686.dll"), "text file",
       WinePrefix::WindowsPath(scratch.path() / "text.dll"), "missing",
       WinePrefix::WindowsPath(scratch.path() / "missing.dll")});
  if (!out) GTEST_SKIP() << "Wine cannot start (" << WinePrefix::kWine << "): no differential run";

  fakes::MachinePlatform machine;
  machine.PutFile("C:\\lib\\MSCOMCTL.OCX", ProductFile("MSCOMCTL.OCX"));
  machine.PutFile("C:\\lib\\engine.dll", fakes::TestImage("catalog_engine_i686.dll"));
  machine.PutFile("C:\\lib\\plain.dll", fakes::TestImage("plain_library_i686.dll"));
  machine.PutFile("C:\\lib\\wide.dll", fakes::TestImage("catalog_engine_x86_64.dll"));
  machine.PutFile("C:\\lib\\text.dll", "not a library");
  const std::string emulated = RunLibrarySequence(
      machine.platform().library, [&] { return machine.platform().kernel32.GetLastError(); },
      {{"product control", "C:\\lib\\MSCOMCTL.OCX"},
       {"engine", "C:\\lib\\engine.dll"},
       {"plain library", "C:\\lib\\plain.dll"},
       {"other width", "C:\\lib\\wide.dll"},
       {"text file", "C:\\lib\\text.dll"},
       {"missing", "C:\\lib\\missing.dll"}});
  EXPECT_EQ(emulated, *out);
}

}  // namespace
}  // namespace lyn::differential
