// frmSetup's load sequence and keys, on an emulated machine: where the window
// goes, that it is made topmost, the volume test, the temporary folder, and
// that no key starts a second run (licence-page.t has which answers enable
// Continue).
#include "shell/frm_setup.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/sim/machine/demo_files.h"
#include "platform/sim/machine/scratch_folder.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/ui/headless_loop.h"

namespace lyn {
namespace {

struct Ended {};

// Records the window made topmost; a message box or an end fails the test.
class RecordingHost : public sim::ProcessHost {
 public:
  int MessageBox(win::HWND, const std::string& text, const std::string&, win::UINT) override {
    ADD_FAILURE() << "unexpected message box: " << text;
    return win::IDOK;
  }
  void SetTopmost(win::HWND window) override { topmost = window; }
  [[noreturn]] void EndProcess(win::UINT) override { throw Ended{}; }

  std::optional<win::HWND> topmost;
};

class FrmSetupTest : public ::testing::Test {
 protected:
  void Load() {
    sim::Profile profile = sim::FindPreset("win7-ultimate-sp1").profile;
    sim::SetField(profile, "SM_CXSCREEN", "1280");
    sim::SetField(profile, "SM_CYSCREEN", "1024");
    sim::SetField(profile, "TempPath", "C:\\Temp\\");
    sim_.emplace(sim::Machine::Create(folder_.path(), profile), host_);
    sim::WidgetSet& widgets = sim_->widgets();
    loop_.emplace(widgets, std::vector<std::string>{}, 0, [](const std::string&, int) {});
    widgets.AddObserver(*loop_);
    widgets.SetEventLoop(*loop_);
    form_.emplace(sim_->platform());
    form_->Show();
  }
  sim::ControlModel& Find(const char* name) { return *sim_->widgets().Find(name); }

  sim::testing::ScratchFolder folder_;
  RecordingHost host_;
  std::optional<sim::SimPlatform> sim_;
  std::optional<sim::HeadlessLoop> loop_;
  std::optional<frmSetup> form_;
};

TEST_F(FrmSetupTest, LoadCentresTheTopmostWindowAndReadsTheMachine) {
  Load();
  const sim::ControlModel& form = Find("frmSetup");
  EXPECT_EQ(form.Left(), (1280 * 15 - form.Width()) / 2);
  EXPECT_EQ(form.Top(), (1024 * 15 - form.Height()) / 2);
  EXPECT_TRUE(host_.topmost && sim_->widgets().FindForm(*host_.topmost))
      << "the form itself is made topmost";
  EXPECT_EQ(NtfsVolume, kTrue16);
  EXPECT_EQ(form_->State().SetupTempFolder, "C:\\Temp\\LYNSetup");
}

// Presses keys on the window whenever the extraction row is complete, that
// is while the run works.
class KeysDuringTheRun : public sim::WidgetObserver {
 public:
  KeysDuringTheRun(sim::FormModel& form, std::vector<sim::Key> keys)
      : form_(form), keys_(std::move(keys)) {}
  void OnChanged(const sim::ControlModel& control, sim::Property property) override {
    if (control.Name() != "imgTick(0)" || property != sim::Property::Visible) return;
    for (sim::Key key : keys_) form_.PressKey(key);
  }

 private:
  sim::FormModel& form_;
  std::vector<sim::Key> keys_;
};

TEST_F(FrmSetupTest, KeysDuringAndAfterTheRunNeverStartASecondOne) {
  using sim::Key;
  Load();
  sim::PlaceDemoFiles(sim_->machine(), LYN_PRODUCT_DIR);
  auto& form = static_cast<sim::FormModel&>(Find("frmSetup"));
  // Were the covered page in reach, these would choose the accepting option
  // again, which enables Continue, and press it.
  KeysDuringTheRun keys(form, {Key::Tab, Key::Tab, Key::Right, Key::Left, Key::Tab, Key::Space,
                               Key::Tab, Key::Tab, Key::Down, Key::Up, Key::Tab, Key::Space});
  sim_->widgets().AddObserver(keys);
  Find("lblAcceptYes").Click();
  Find("cmdOK").Click();  // the whole run; a second one would show a message box
  EXPECT_EQ(Find("lblUninstallprogress").Caption(), "....Done");
  for (Key key : {Key::Right, Key::Left, Key::Down, Key::Up, Key::Space, Key::Tab, Key::Right,
                  Key::Left, Key::Down, Key::Up, Key::Tab}) {
    form.PressKey(key);
  }
  EXPECT_FALSE(Find("cmdOK").Enabled());
  EXPECT_TRUE(Find("OpAccept(0)").Value());
  EXPECT_EQ(form.Focus(), &Find("cmdExit")) << "Finish, the one control in reach";
}

}  // namespace
}  // namespace lyn
