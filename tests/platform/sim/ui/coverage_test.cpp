// What covers what on the setup window's model, checked two ways that must
// agree: the uncovered area the transcript and the keyboard go by, and
// clicks at points (the hit test). On the licence page every control is in
// view; once the progress panel is brought over the page as the install run
// does it, only the panel and what was moved into it are.
#include "platform/sim/ui/coverage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/sim/ui/widget_set.h"
#include "shell/frm_setup_design.h"
#include "tests/platform/sim/ui/fake_windows.h"

namespace lyn::sim {
namespace {

bool Within(const ControlModel* hit, const ControlModel& control) {
  for (const ControlModel* c = hit; c != nullptr; c = c->Container()) {
    if (c == &control) return true;
  }
  return false;
}

class CoverageTest : public ::testing::Test {
 protected:
  CoverageTest()
      : widgets(windows),
        form(dynamic_cast<FormModel&>(widgets.CreateForm(FrmSetupFormDesign(), kFrmSetupClientWidth,
                                                         kFrmSetupClientHeight))) {
    for (const ui::ControlDesign& design : FrmSetupControlDesigns()) form.Add(design);
    form.Show();
  }

  ControlModel& Find(const std::string& name) { return *form.Find(name); }

  // The controls in view, after checking each against clicks: the middle of
  // its largest uncovered part lands on it, and no point of a control out of
  // view does (points a pixel apart).
  std::set<std::string> InViewByClicks() {
    std::set<std::string> seen;
    for (const auto& control : form.Controls()) {
      const auto area = UncoveredArea(*control);
      SCOPED_TRACE(control->Name());
      if (!area.empty()) {
        const TwipRect& part = *std::max_element(area.begin(), area.end(), [](auto& a, auto& b) {
          return (a.right - a.left) * (a.bottom - a.top) < (b.right - b.left) * (b.bottom - b.top);
        });
        EXPECT_TRUE(Within(
            ControlAt(form, (part.left + part.right) / 2, (part.top + part.bottom) / 2), *control));
        EXPECT_TRUE(control->SeenByPerson());
        seen.insert(control->Name());
        continue;
      }
      EXPECT_FALSE(control->SeenByPerson());
      const TwipRect r = control->VisibleArea();
      int reached = 0;
      for (int y = r.top; y < r.bottom; y += ui::kTwipsPerPixel) {
        for (int x = r.left; x < r.right; x += ui::kTwipsPerPixel) {
          reached += Within(ControlAt(form, x, y), *control) ? 1 : 0;
        }
      }
      EXPECT_EQ(reached, 0) << "points of it a click reaches";
    }
    return seen;
  }

  testing::FakeWindows windows;
  WidgetSet widgets;
  FormModel& form;
};

TEST_F(CoverageTest, ThePanelCoversTheWholeLicencePageOnceBroughtOverIt) {
  const std::set<std::string> page = {"Image4",       "Image5",      "lblPleaseRead", "T1",
                                      "Image2",       "Image1",      "lblClientOS",   "OpAccept(0)",
                                      "lblAcceptYes", "OpAccept(1)", "lblAcceptNo",   "cmdOK",
                                      "cmdExit"};
  EXPECT_EQ(InViewByClicks(), page);

  // As the install run does it: the panel over the form, three controls
  // moved into it, then the rows shown.
  ControlModel& panel = Find("picInstall");
  panel.Move(0, -10, 8190, 5955);
  for (const char* name : {"Image1", "Image2", "cmdExit"}) Find(name).SetContainer(panel);
  for (const char* name : {"lblInstalling", "lblInprogress", "imgTick(0)"}) {
    Find(name).SetVisible(true);
  }
  EXPECT_EQ(
      InViewByClicks(),
      (std::set<std::string>{"picInstall", "lblInstallDir", "lblProgFileDir", "Image3", "Image6",
                             "lblExtrating", "lblExprogress", "imgTick(0)", "lblInstalling",
                             "lblInprogress", "Image1", "Image2", "cmdExit"}));
  EXPECT_EQ(ControlAt(form, 4500, 3500), &Find("picInstall")) << "over T1";
}

}  // namespace
}  // namespace lyn::sim
