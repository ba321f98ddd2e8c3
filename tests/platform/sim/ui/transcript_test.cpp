#include "platform/sim/ui/transcript.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/api/user32.h"
#include "platform/sim/ui/widget_set.h"
#include "tests/platform/sim/ui/fake_windows.h"

namespace lyn::sim {
namespace {

ui::ControlDesign Design(const std::string& name, ui::Kind kind, const std::string& caption,
                         int left, int top, const std::string& container = "") {
  ui::ControlDesign design;
  design.name = name;
  design.kind = kind;
  design.caption = caption;
  design.left = left;
  design.top = top;
  design.width = 1000;
  design.height = 255;
  design.container = container;
  return design;
}

class TranscriptTest : public ::testing::Test {
 protected:
  TranscriptTest() : widgets(windows), transcript(out) {
    widgets.AddObserver(transcript);
    auto design = Design("frmSetup", ui::Kind::Form, "LYN Setup", 0, 0);
    form = &dynamic_cast<FormModel&>(widgets.CreateForm(design, 8100, 5475));
  }

  ControlModel& Add(const ui::ControlDesign& design) {
    return dynamic_cast<ControlModel&>(form->Add(design));
  }
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
  Add(Design("lblExtrating", ui::Kind::Label, "Extracting  Flies:", 195, 1920, "picInstall"));
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

TEST_F(TranscriptTest, LaterChangesAndClicksAreWrittenAsTheyHappen) {
  auto& yes = Add(Design("OpAccept(0)", ui::Kind::OptionButton, "", 285, 4560));
  auto selected = Design("OpAccept(1)", ui::Kind::OptionButton, "", 285, 5040);
  selected.value = true;
  Add(selected);
  auto& ok = Add(Design("cmdOK", ui::Kind::CommandButton, "Continue", 5040, 4920));
  auto& timer = Add(Design("tmrSetPermissions", ui::Kind::Timer, "", 0, 0));
  auto& box = dynamic_cast<SurfaceModel&>(
      form->AddPictureBox(Design("picInstall", ui::Kind::PictureBox, "", 0, -10000)));
  auto& text = Add(Design("T1", ui::Kind::TextBox, "", 240, 840));
  ok.SetEnabled(false);
  form->Show();
  Take();

  yes.Click();
  ok.SetEnabled(true);
  ok.SetCaption("Continue");
  ok.SetCaption("Finish");
  text.SetCaption("first\nsecond");
  ok.SetVisible(false);
  timer.SetEnabled(false);
  box.Move(0, -10, 8190, 5955);
  box.Move(0, 0, 8190, 5955);
  EXPECT_EQ(Take(),
            "click: OpAccept(0)\n"
            "selected: OpAccept(1) false\n"
            "selected: OpAccept(0) true\n"
            "enabled: cmdOK true\n"
            "caption: cmdOK \"Finish\"\n"
            "caption: T1 \"first...\"\n"
            "visible: cmdOK false\n"
            "visible: picInstall true\n");
}

TEST_F(TranscriptTest, MessageBoxesAndTheEndAreWrittenWithTheirTexts) {
  transcript.MessageBox("Invalid OS", win::MB_OK | win::MB_ICONSTOP,
                        "Unable to continue.\r\nSay \"no\"\\here");
  transcript.Answer(win::IDOK);
  transcript.MessageBox("Untested OS", win::MB_YESNO, "Continue?");
  transcript.Answer(win::IDNO);
  transcript.Unanswered("Untested OS");
  transcript.Ended("Invalid OS");
  EXPECT_EQ(
      Take(),
      "msgbox: \"Invalid OS\" [OK] critical \"Unable to continue.\\r\\nSay \\\"no\\\"\\here\"\n"
      "answer: OK\n"
      "msgbox: \"Untested OS\" [Yes/No] \"Continue?\"\n"
      "answer: No\n"
      "unanswered: \"Untested OS\"\n"
      "ended: Invalid OS\n");
}

}  // namespace
}  // namespace lyn::sim
