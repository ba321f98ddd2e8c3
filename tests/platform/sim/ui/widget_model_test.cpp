#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/ui/widget_set.h"
#include "tests/platform/sim/ui/design.h"
#include "tests/platform/sim/ui/fake_windows.h"

namespace lyn::sim {
namespace {

using testing::Design;

class WidgetModelTest : public ::testing::Test {
 protected:
  WidgetModelTest()
      : widgets(windows),
        form(dynamic_cast<FormModel&>(widgets.CreateForm(
            Design("frmSetup", ui::Kind::Form, "LYN Setup", 0, 0, 8190, 5955), 8100, 5475))) {}

  ControlModel& Add(const ui::ControlDesign& design) {
    return dynamic_cast<ControlModel&>(form.Add(design));
  }
  SurfaceModel& AddBox(const std::string& name, int left, int top, int width, int height) {
    return dynamic_cast<SurfaceModel&>(
        form.AddPictureBox(Design(name, ui::Kind::PictureBox, "", left, top, width, height)));
  }

  testing::FakeWindows windows;
  WidgetSet widgets;
  FormModel& form;
};

TEST_F(WidgetModelTest, OptionButtonsFormOneGroupPerContainer) {
  auto& yes = Add(Design("OpAccept(0)", ui::Kind::OptionButton, "", 285, 4560, 195, 195));
  auto noDesign = Design("OpAccept(1)", ui::Kind::OptionButton, "", 285, 5040, 195, 195);
  noDesign.value = true;
  auto& no = Add(noDesign);
  AddBox("picOther", 0, 0, 600, 600);
  auto otherDesign = Design("OpOther", ui::Kind::OptionButton, "", 15, 15, 195, 195, "picOther");
  otherDesign.value = true;
  auto& other = Add(otherDesign);
  std::vector<std::string> raised;
  yes.SetHandler([&] { raised.push_back("yes"); });
  no.SetHandler([&] { raised.push_back("no"); });
  form.Show();

  yes.SetValue(true);
  EXPECT_TRUE(yes.Value());
  EXPECT_FALSE(no.Value());
  EXPECT_TRUE(other.Value()) << "another container is another group";
  yes.SetValue(true);
  yes.Click();
  EXPECT_EQ(raised, std::vector<std::string>{"yes"}) << "only a change of selection raises";

  no.Click();
  EXPECT_FALSE(yes.Value());
  EXPECT_TRUE(no.Value());
  EXPECT_EQ(raised, (std::vector<std::string>{"yes", "no"}));

  no.SetValue(false);
  EXPECT_FALSE(no.Value());
  EXPECT_EQ(raised.size(), 2u) << "clearing raises nothing";
  EXPECT_THROW(form.SetValue(true), std::logic_error);
}

TEST_F(WidgetModelTest, OnlyControlsAPersonCanReachReactToClicks) {
  AddBox("picInstall", 0, -10000, 8190, 5955);
  Add(Design("lblParked", ui::Kind::Label, "", 195, 1920, 2000, 255, "picInstall"));
  AddBox("picHidden", 0, 0, 3000, 3000).SetVisible(false);
  Add(Design("lblInHidden", ui::Kind::Label, "", 15, 15, 500, 255, "picHidden"));
  AddBox("picDisabled", 3000, 0, 3000, 3000).SetEnabled(false);
  Add(Design("lblInDisabled", ui::Kind::Label, "", 15, 15, 500, 255, "picDisabled"));
  Add(Design("cmdOff", ui::Kind::CommandButton, "", 0, 4000, 1000, 375)).SetEnabled(false);
  Add(Design("cmdHidden", ui::Kind::CommandButton, "", 1000, 4000, 1000, 375)).SetVisible(false);
  Add(Design("lblOutside", ui::Kind::Label, "", 8100, 0, 500, 255));
  Add(Design("lblEdge", ui::Kind::Label, "", 8000, 5400, 500, 255));
  Add(Design("lblNoSize", ui::Kind::Label, "", 100, 100, 0, 0));
  form.Show();

  std::vector<std::string> reacted;
  for (const char* name : {"lblParked", "lblInHidden", "lblInDisabled", "cmdOff", "cmdHidden",
                           "lblOutside", "lblEdge", "lblNoSize"}) {
    widgets.Find(name)->SetHandler([&reacted, name] { reacted.emplace_back(name); });
    widgets.Find(name)->Click();
  }
  EXPECT_EQ(reacted, (std::vector<std::string>{"lblEdge", "lblNoSize"}));
  form.SetVisible(false);
  widgets.Find("lblEdge")->Click();
  EXPECT_EQ(reacted.size(), 2u) << "nothing on a hidden form can be clicked";
}

TEST_F(WidgetModelTest, SurfacesMeasureAndDrawInTheirScaleAndChildrenKeepTheirPlaces) {
  const ui::COLORREF ink = ui::RGB(87, 101, 121);
  EXPECT_EQ(form.ScaleWidth(), 8100);
  form.Line(0, 30, 150, 30, ink);  // twips: pixels (0, 2) to (10, 2)
  form.SetScaleMode(ui::ScaleMode::Pixels);
  EXPECT_EQ(form.ScaleWidth(), 540);
  form.Line(539, 364, 600, 364, ink);
  int inked = 0;
  for (int y = 0; y < form.Image().Height(); ++y) {
    for (int x = 0; x < form.Image().Width(); ++x) inked += form.Image().At(x, y) == ink;
  }
  EXPECT_EQ(inked, 11);
  EXPECT_EQ(form.Image().At(9, 2), ink);
  EXPECT_EQ(form.Image().At(539, 364), ink);

  auto& image = Add(Design("Image1", ui::Kind::Image, "", 4920, 2460, 3045, 1815));
  auto& box = AddBox("picInstall", 0, -10000, 8190, 5955);
  EXPECT_EQ(box.Image().Width(), 546);
  image.SetContainer(box);
  EXPECT_EQ(image.State().container, "picInstall");
  EXPECT_EQ(image.Left(), 4920);
  EXPECT_FALSE(image.SeenByPerson()) << "the box is parked out of view";

  box.Move(0, 0, 500, 300);  // in the form's scale, pixels
  EXPECT_EQ(box.ScaleWidth(), 7500);
  box.SetScaleMode(ui::ScaleMode::Pixels);
  EXPECT_EQ(box.ScaleWidth(), 500);
  EXPECT_EQ(image.Left(), 328);
  EXPECT_EQ(image.Width(), 203);
  image.Move(10, 20, 30, 40);
  EXPECT_EQ(image.State().left, 150);
  EXPECT_EQ(image.State().height, 600);
  form.Show();
  EXPECT_TRUE(image.SeenByPerson());

  auto& inner = AddBox("picInner", 0, 0, 300, 300);
  inner.SetContainer(box);
  EXPECT_THROW(box.SetContainer(inner), std::logic_error) << "a box cannot go inside its child";
  EXPECT_THROW(image.SetContainer(*widgets.Find("frmSetup")), std::logic_error);
}

}  // namespace
}  // namespace lyn::sim
