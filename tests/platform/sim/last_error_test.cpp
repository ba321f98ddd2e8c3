// The last error of the emulated machine: one value per thread, shared by
// every emulated library, and the Windows failure (never a C++ exception)
// when the machine's state is damaged. Each call starts from a sentinel last
// error, and its result and last error are checked together.
#include "platform/sim/last_error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <thread>

#include "cabinet/test_cabinet.h"
#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr DWORD ERROR_FILE_CORRUPT = 1392;
const char* const kFile = "C:\\Distribution\\LYN.CAB";

class LastErrorTest : public ::testing::Test {
 protected:
  LastErrorTest() {
    m_.PutFile(kFile, "cab");
    m_.SetAttributes(kFile, FILE_ATTRIBUTE_READONLY);
  }

  void Damage(const char* sql) {
    m_.machine().State().Write([&](const Transaction& t) { t.Prepare(sql).Run(); });
  }
  // The call fails, and with ERROR_FILE_CORRUPT.
  void FailsCorrupt(const char* call, const std::function<bool()>& failed) {
    k_.SetLastError(kSentinel);
    EXPECT_TRUE(failed()) << call;
    EXPECT_EQ(k_.GetLastError(), ERROR_FILE_CORRUPT) << call;
  }

  fakes::MachinePlatform m_;
  Kernel32& k_ = m_.platform().kernel32;
};

TEST_F(LastErrorTest, OneValuePerThreadSharedByEveryLibrary) {
  k_.SetLastError(kSentinel);
  DWORD handle = 0;
  EXPECT_EQ(m_.platform().version.GetFileVersionInfoSizeA("C:\\missing.dll", &handle), 0u);
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_NOT_FOUND) << "version.dll sets kernel32's value";

  DWORD other = 0;
  std::thread([&] {
    other = k_.GetLastError();
    k_.SetLastError(ERROR_ACCESS_DENIED);
  }).join();
  EXPECT_EQ(other, ERROR_SUCCESS) << "a new thread starts with its own value";
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_NOT_FOUND) << "another thread's value is its own";
}

TEST_F(LastErrorTest, ADamagedAttributesEntryFailsTheCallsThatReadIt) {
  WIN32_FIND_DATAA data{};
  const auto readers = [&](const char* damage) {
    Damage(damage);
    FailsCorrupt("GetFileAttributesA",
                 [&] { return k_.GetFileAttributesA(kFile) == INVALID_FILE_ATTRIBUTES; });
    FailsCorrupt("FindFirstFileA", [&] {
      return k_.FindFirstFileA("C:\\Distribution\\*", &data) == INVALID_HANDLE_VALUE;
    });
    FailsCorrupt("CreateFileA", [&] {
      return k_.CreateFileA(kFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0) ==
             INVALID_HANDLE_VALUE;
    });
  };
  readers("UPDATE file_attributes SET attributes = 'hidden'");
  readers("UPDATE file_attributes SET attributes = 65536");  // not a DOS attribute
}

// Every family of emulated libraries reports the damage as a failure with
// ERROR_FILE_CORRUPT: none lets it escape, none takes it for a missing file.
TEST_F(LastErrorTest, AStoreDamagedUnderARunningMachineFailsEveryLibrarysCalls) {
  m_.PutFile("C:\\Media\\TEST.CAB", testing::UncompressedCabinet({{"a.txt", "alpha"}}));
  Damage("DROP TABLE open_files");
  Damage("DROP TABLE desktop_windows");
  Damage("DROP TABLE security_descriptors");
  Damage("DROP TABLE registry_keys");
  Platform& p = m_.platform();
  FailsCorrupt("CreateFileA", [&] {
    return k_.CreateFileA("C:\\new.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0) ==
           INVALID_HANDLE_VALUE;
  });
  FailsCorrupt("EnumWindows", [&] {
    return p.user32.EnumWindows([](HWND, LPARAM) -> BOOL { return TRUE; }, 0) == FALSE;
  });
  FailsCorrupt("SetupIterateCabinetA", [&] {
    return p.setupapi.SetupIterateCabinetA(
               "C:\\Media\\TEST.CAB", 0,
               [](LPVOID, UINT notification, UINT_PTR param1, UINT_PTR) -> UINT {
                 if (notification != SPFILENOTIFY_FILEINCABINET) return NO_ERROR;
                 auto& info = *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1);
                 std::snprintf(info.FullTargetName, sizeof info.FullTargetName, "C:\\a.txt");
                 return FILEOP_DOIT;
               },
               nullptr) == FALSE;
  });
  FailsCorrupt("LoadLibraryA", [&] { return p.library.LoadLibraryA(kFile) == 0; });
  FailsCorrupt("GetNamedSecurityInfoA", [&] {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    return p.advapi32Security.GetNamedSecurityInfoA(
               kFile, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr,
               &descriptor) == ERROR_FILE_CORRUPT;
  });
  FailsCorrupt("RegCreateKeyA", [&] {
    HKEY key = 0;
    return p.registry.RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Lyn", &key) ==
           static_cast<LONG>(ERROR_FILE_CORRUPT);
  });
}

}  // namespace
}  // namespace lyn::sim
