// A path's attribute mark goes with what is removed from it: whatever is made
// there afterwards starts as nobody marked it.
#include <gtest/gtest.h>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;

TEST(SimKernel32MarksTest, WhatIsMadeWhereSomethingWasRemovedStartsUnmarked) {
  fakes::MachinePlatform m;
  Kernel32& k = m.platform().kernel32;
  m.PutFile("C:\\App\\hidden.txt", "x");
  m.PutFile("C:\\App\\normal.txt", "x");
  m.MakeFolder("C:\\App\\Hidden");
  m.SetAttributes("C:\\App\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  m.SetAttributes("C:\\App\\normal.txt", FILE_ATTRIBUTE_NORMAL);
  m.SetAttributes("C:\\App\\Hidden", FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(k.DeleteFileA("C:\\App\\hidden.txt"));
  ASSERT_TRUE(k.DeleteFileA("C:\\App\\normal.txt"));
  ASSERT_TRUE(k.RemoveDirectoryA("C:\\App\\Hidden"));

  m.PutFile("C:\\App\\hidden.txt", "y");
  m.PutFile("C:\\App\\normal.txt", "y");
  m.MakeFolder("C:\\App\\Hidden");
  EXPECT_EQ(k.GetFileAttributesA("C:\\App\\hidden.txt"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(k.GetFileAttributesA("C:\\App\\normal.txt"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(k.GetFileAttributesA("C:\\App\\Hidden"), FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace lyn::sim
