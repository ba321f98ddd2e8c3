// The emulated user32: window classes, top-level windows on the machine's
// desktop, and message boxes. Its metrics are checked with the presets.
#include "platform/sim/user32_sim.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

using namespace win;

// Records what user32 asks of the process: message boxes (answered No) and
// topmost windows.
struct RecordingHost : ProcessHost {
  int MessageBox(HWND, const std::string& text, const std::string& caption, UINT type) override {
    boxes.push_back(caption + "|" + text + "|" + std::to_string(type));
    return IDNO;
  }
  void SetTopmost(HWND window) override { topmost.push_back(window); }
  [[noreturn]] void EndProcess(UINT) override { std::abort(); }

  std::vector<std::string> boxes;
  std::vector<HWND> topmost;
};

class SimUser32Test : public ::testing::Test {
 protected:
  HWND MakeWindow(const char* className, const char* caption) {
    const WNDCLASSA windowClass{className};
    user32_.RegisterClassA(&windowClass);
    return user32_.CreateWindowExA(0, className, caption, 0);
  }

  testing::ScratchFolder folder_;
  Machine machine_ = Machine::Create(folder_.path(), Profile{});
  Desktop desktop_{machine_};
  RecordingHost host_;
  SimUser32 user32_{machine_, desktop_, host_};
};

TEST_F(SimUser32Test, NamesAreCopiedInTheAnsiCodePageAsFarAsTheBufferAllows) {
  const HWND window = MakeWindow("ThunderRT6Main", "LYNSetup");
  const struct {
    int size;
    int count;
    const char* text;
  } cases[] = {{9, 8, "LYNSetup"}, {8, 7, "LYNSetu"}, {1, 0, ""}};
  for (const auto& c : cases) {
    char buffer[260];
    EXPECT_EQ(user32_.GetWindowTextA(window, buffer, c.size), c.count) << c.size;
    EXPECT_STREQ(buffer, c.text) << c.size;
  }
  char buffer[4] = "abc";
  EXPECT_EQ(user32_.GetClassNameA(window, buffer, 0), 0);
  EXPECT_STREQ(buffer, "abc") << "size 0 writes nothing";
  EXPECT_EQ(user32_.GetClassNameA(0xDEAD0, buffer, 4), 0);

  const HWND accented = MakeWindow("Form", "\xC9t\xE9");  // "Été" in code page 1252
  EXPECT_EQ(desktop_.Find(accented)->caption, "\xC3\x89t\xC3\xA9") << "kept in UTF-8";
  EXPECT_EQ(user32_.GetWindowTextA(accented, buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "\xC9t\xE9");
}

TEST_F(SimUser32Test, TopmostAndMessageBoxesAreAskedOfTheHost) {
  const HWND form = MakeWindow("LYNSetupForm", "LYN Setup");
  EXPECT_EQ(user32_.SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE), TRUE);
  EXPECT_EQ(user32_.SetWindowPos(0xDEAD0, HWND_TOPMOST, 0, 0, 0, 0, 0), FALSE);
  EXPECT_EQ(host_.topmost, std::vector<HWND>{form}) << "only for own windows";

  EXPECT_EQ(user32_.MessageBoxA(0, "Caf\xE9\r\nOK?", "Untested OS", MB_YESNO | MB_ICONSTOP), IDNO);
  EXPECT_EQ(user32_.MessageBoxA(0, "text", nullptr, MB_OK), IDNO);
  EXPECT_EQ(host_.boxes,
            (std::vector<std::string>{"Untested OS|Caf\xC3\xA9\r\nOK?|20", "Error|text|0"}))
      << "in UTF-8";
}

}  // namespace
}  // namespace lyn::sim
