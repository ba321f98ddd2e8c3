#include "platform/sim/ui/transcript.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/sim/ui/widget_set.h"
#include "tests/platform/sim/ui/design.h"
#include "tests/platform/sim/ui/fake_windows.h"

namespace lyn::sim {
namespace {

using testing::Design;

// A form with one control of each kind the transcript treats differently.
class TranscriptTest : public ::testing::Test {
 protected:
  TranscriptTest() : widgets(windows), transcript(out) {
    widgets.AddObserver(transcript);
    form = &dynamic_cast<FormModel&>(
        widgets.CreateForm(Design("frmSetup", ui::Kind::Form, "LYN Setup", 0, 0), 8100, 5475));
    Add(Design("lblClientOS", ui::Kind::Label, "", 690, 75)).SetCaption("Windows 7 \"SP1\"");
    Add(Design("Image4", ui::Kind::Image, "", 20, 80));
    Add(Design("T1", ui::Kind::TextBox, "LICENCE\r\nline two", 240, 840));
    Add(Design("T2", ui::Kind::TextBox, "one line", 240, 1200));
    auto off = Design("cmdOK", ui::Kind::CommandButton, "Continue", 5040, 4920);
    off.enabled = false;
    Add(off);
    Add(Design("OpAccept(0)", ui::Kind::OptionButton, "", 285, 4560));
    auto selected = Design("OpAccept(1)", ui::Kind::OptionButton, "", 285, 5040);
    selected.value = true;
    Add(selected);
    Add(Design("tmrSetPermissions", ui::Kind::Timer, "", 0, 0));
    auto hidden = Design("lblHidden", ui::Kind::Label, "hidden", 0, 0);
    hidden.visible = false;
    Add(hidden);
    form->AddPictureBox(Design("picInstall", ui::Kind::PictureBox, "", 0, -10000));
    Add(Design("lblExtrating", ui::Kind::Label, "Extracting  Flies:", 195, 1920, 1000, 255,
               "picInstall"));
  }

  ControlModel& Add(const ui::ControlDesign& design) {
    return dynamic_cast<ControlModel&>(form->Add(design));
  }
  ControlModel& Find(const char* name) { return *widgets.Find(name); }
  // The lines written since the last call.
  std::string Take() {
    std::string text = out.str();
    out.str("");
    return text;
  }

  testing::FakeWindows windows;
  WidgetSet widgets;
  std::ostringstream out;
  Transcript transcript;
  FormModel* form = nullptr;
};

TEST_F(TranscriptTest, TheFirstShowListsWhatAPersonSeesInDesignOrder) {
  EXPECT_EQ(Take(), "") << "nothing is written before the form is shown";
  form->Show();
  EXPECT_EQ(Take(),
            "shown: frmSetup \"LYN Setup\"\n"
            "control: lblClientOS \"Windows 7 \\\"SP1\\\"\"\n"
            "control: Image4 picture\n"
            "control: T1 \"LICENCE...\"\n"
            "control: T2 \"one line\"\n"
            "control: cmdOK \"Continue\" disabled\n"
            "control: OpAccept(0) \"\"\n"
            "control: OpAccept(1) \"\" selected\n");
}

TEST_F(TranscriptTest, LaterChangesAreWrittenOnlyWhenAPersonCouldSeeThem) {
  form->Show();
  Take();
  ControlModel& ok = Find("cmdOK");
  ok.SetCaption("Continue");
  ok.SetCaption("Finish");
  Find("T1").SetCaption("first\nsecond");
  ok.SetVisible(false);
  Find("tmrSetPermissions").SetEnabled(false);
  auto& box = dynamic_cast<SurfaceModel&>(*widgets.Find("picInstall"));
  box.Move(0, -10, 8190, 5955);
  box.Move(0, 0, 8190, 5955);
  // The panel brought over the page takes what it covers out of view, and
  // what it holds into view.
  EXPECT_EQ(Take(),
            "caption: cmdOK \"Finish\"\n"
            "caption: T1 \"first...\"\n"
            "visible: cmdOK false\n"
            "visible: picInstall true\n"
            "visible: lblClientOS false\nvisible: Image4 false\nvisible: T1 false\n"
            "visible: T2 false\nvisible: OpAccept(0) false\nvisible: OpAccept(1) false\n"
            "visible: lblExtrating true\n");
}

}  // namespace
}  // namespace lyn::sim
