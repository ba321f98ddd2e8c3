// The setup window's keyboard on the model: Tab goes through the tab stops a
// person can press, the arrows through the option buttons, Space presses
// (FrmSetupTest has the keys during and after the run, which reach nothing
// covered, hidden or disabled).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/ui/form_model.h"
#include "platform/sim/ui/widget_set.h"
#include "shell/frm_setup_design.h"
#include "tests/platform/sim/ui/fake_windows.h"

namespace lyn::sim {
namespace {

class KeyboardTest : public ::testing::Test {
 protected:
  KeyboardTest()
      : widgets(windows),
        form(dynamic_cast<FormModel&>(widgets.CreateForm(FrmSetupFormDesign(), kFrmSetupClientWidth,
                                                         kFrmSetupClientHeight))) {
    for (const ui::ControlDesign& design : FrmSetupControlDesigns()) form.Add(design);
    // Continue as the licence page's handlers keep it: enabled while the
    // accepting option is chosen.
    Find("OpAccept(0)").SetHandler([this] { Find("cmdOK").SetEnabled(true); });
    Find("OpAccept(1)").SetHandler([this] { Find("cmdOK").SetEnabled(false); });
    Find("cmdOK").SetHandler([this] { ++runs; });
    form.Show();
  }

  ControlModel& Find(const std::string& name) { return *form.Find(name); }
  std::string Focus() const { return form.Focus() ? form.Focus()->Name() : "none"; }

  // Presses the keys and returns where the focus was after each.
  std::vector<std::string> Press(const std::vector<Key>& keys) {
    std::vector<std::string> focus;
    for (Key key : keys) {
      form.PressKey(key);
      focus.push_back(Focus());
    }
    return focus;
  }

  testing::FakeWindows windows;
  WidgetSet widgets;
  FormModel& form;
  int runs = 0;
};

TEST_F(KeyboardTest, TheLicencePageIsWalkedInTabOrder) {
  EXPECT_EQ(Focus(), "cmdExit") << "Continue is disabled at first";
  // Only the chosen option of the group is a tab stop; the arrows choose.
  EXPECT_EQ(Press({Key::Tab, Key::Tab, Key::Tab, Key::BackTab}),
            (std::vector<std::string>{"T1", "OpAccept(1)", "cmdExit", "OpAccept(1)"}));
  EXPECT_EQ(Press({Key::Up, Key::Tab}), (std::vector<std::string>{"OpAccept(0)", "cmdOK"}));
  EXPECT_TRUE(Find("OpAccept(0)").Value());
  form.PressKey(Key::Space);
  EXPECT_EQ(runs, 1) << "Space presses the focused Continue";
}

}  // namespace
}  // namespace lyn::sim
