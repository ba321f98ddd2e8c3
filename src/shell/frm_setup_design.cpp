#include "shell/frm_setup_design.h"

#include <string>

#include "resources/resources.h"

namespace lyn {
namespace {

using ui::Align;
using ui::ControlDesign;
using ui::Kind;
using ui::RGB;

const ui::Font kCourier975{"Courier New", 9.75f, false};
const ui::Font kCourier1425Bold{"Courier New", 14.25f, true};
const ui::Font kArial975Bold{"Arial", 9.75f, true};

ControlDesign Design(std::string name, Kind kind, int left, int top, int width, int height) {
  ControlDesign design;
  design.name = std::move(name);
  design.kind = kind;
  design.left = left;
  design.top = top;
  design.width = width;
  design.height = height;
  return design;
}

ControlDesign Label(std::string name, std::string caption, int left, int top, int width, int height,
                    ui::COLORREF foreColor) {
  ControlDesign design = Design(std::move(name), Kind::Label, left, top, width, height);
  design.caption = std::move(caption);
  design.hasForeColor = true;
  design.foreColor = foreColor;
  design.transparent = true;
  return design;
}

ControlDesign Image(std::string name, const ui::Picture& picture, int left, int top, int width,
                    int height, bool stretch) {
  ControlDesign design = Design(std::move(name), Kind::Image, left, top, width, height);
  design.picture = &picture;
  design.stretch = stretch;
  return design;
}

ControlDesign Option(std::string name, int top, ui::COLORREF foreColor, bool selected,
                     int tabIndex) {
  ControlDesign design = Design(std::move(name), Kind::OptionButton, 285, top, 195, 195);
  design.hasBackColor = true;
  design.backColor = RGB(0, 0, 64);
  design.hasForeColor = true;
  design.foreColor = foreColor;
  design.value = selected;
  design.tabIndex = tabIndex;
  return design;
}

ControlDesign Button(std::string name, std::string caption, int left, int width, bool enabled,
                     int tabIndex) {
  ControlDesign design = Design(std::move(name), Kind::CommandButton, left, 4920, width, 375);
  design.caption = caption;
  design.toolTip = std::move(caption);
  design.font = kArial975Bold;
  design.hasBackColor = true;
  design.backColor = RGB(255, 255, 255);
  design.enabled = enabled;
  design.tabIndex = tabIndex;
  return design;
}

ControlDesign InPanel(ControlDesign design) {
  design.container = "picInstall";
  return design;
}

// The width of a row's caption: 19 characters of Courier New 9.75 pt, 8
// pixels each, fit ("Creating Shortcuts:", "Register Uninstall:"). It reaches
// just under the progress label, which is drawn over it.
constexpr int kRowCaptionWidth = 2295;

// One progress row of the panel: caption, progress label, tick and cross.
void AddProgressRow(std::vector<ControlDesign>& designs, int index, const std::string& captionName,
                    const std::string& caption, const std::string& progressName, int top,
                    bool visible) {
  ControlDesign rowCaption = InPanel(
      Label(captionName, caption, 195, top + 105, kRowCaptionWidth, 255, RGB(128, 255, 255)));
  rowCaption.font = kCourier975;
  rowCaption.visible = visible;
  designs.push_back(rowCaption);

  ControlDesign progress = InPanel(Label(progressName, "", 2460, top, 1500, 375, RGB(0, 192, 192)));
  progress.font = kCourier1425Bold;
  progress.visible = visible;
  designs.push_back(progress);

  for (const auto& [prefix, picture] :
       {std::pair{"imgTick(", &res::kTick}, std::pair{"imgCross(", &res::kCross}}) {
    ControlDesign status =
        InPanel(Image(prefix + std::to_string(index) + ")", *picture, 3960, top, 360, 360, false));
    status.visible = false;
    designs.push_back(status);
  }
}

}  // namespace

ControlDesign FrmSetupFormDesign() {
  ControlDesign form = Design("frmSetup", Kind::Form, 0, 0, 8190, 5955);
  form.caption = "LYN Setup";
  form.picture = &res::kWindowIcon;
  return form;
}

std::vector<ControlDesign> FrmSetupControlDesigns() {
  std::vector<ControlDesign> designs;

  designs.push_back(Image("Image4", res::kCornerLeft, 20, 80, 720, 720, false));
  designs.push_back(Image("Image5", res::kCornerRight, 7360, 80, 720, 720, false));
  designs.push_back(Label("lblPleaseRead", "Please read the license agreement before proceeding:",
                          840, 600, 3855, 255, RGB(255, 255, 255)));

  ControlDesign licence = Design("T1", Kind::TextBox, 240, 840, 4395, 3555);
  licence.caption = res::kLicenceText;
  licence.hasBackColor = true;
  licence.backColor = RGB(255, 255, 255);
  licence.hasForeColor = true;
  licence.foreColor = RGB(64, 64, 64);
  licence.multiLine = true;
  licence.readOnly = true;
  licence.verticalScrollBar = true;
  licence.tabIndex = 2;
  designs.push_back(licence);

  designs.push_back(Image("Image2", res::kMapPanel, 4920, 120, 2775, 2220, true));
  designs.push_back(Image("Image1", res::kCatalogPanel, 4920, 2460, 3045, 1815, true));
  // Drawn over the pictures, so that a long system name stays readable.
  ControlDesign clientOS = Label("lblClientOS", "", 690, 75, 6705, 375, RGB(192, 255, 255));
  clientOS.align = Align::Centre;
  designs.push_back(clientOS);
  designs.push_back(Option("OpAccept(0)", 4560, RGB(0, 128, 0), false, 3));
  designs.push_back(Label("lblAcceptYes", "I accept the terms of the license agreement.", 720, 4560,
                          3255, 255, RGB(0, 255, 0)));
  designs.push_back(Option("OpAccept(1)", 5040, RGB(128, 0, 0), true, 4));
  designs.push_back(Label("lblAcceptNo", "I do not accept the terms of the license agreement.", 720,
                          5040, 3735, 255, RGB(255, 128, 128)));
  designs.push_back(Button("cmdOK", "Continue", 5040, 1215, false, 0));
  designs.push_back(Button("cmdExit", "Cancel", 6795, 1095, true, 1));

  ControlDesign timer = Design("tmrSetPermissions", Kind::Timer, 0, 0, 0, 0);
  timer.interval = 1000;
  timer.visible = false;
  designs.push_back(timer);

  designs.push_back(Design("picInstall", Kind::PictureBox, 0, -10000, 8190, 5955));

  ControlDesign installDir = InPanel(
      Label("lblInstallDir", "Installation Directory", 240, 1080, 3975, 255, RGB(128, 255, 255)));
  installDir.font = kCourier975;
  designs.push_back(installDir);
  ControlDesign programDir =
      InPanel(Label("lblProgFileDir", "", 240, 1320, 3975, 255, RGB(255, 255, 255)));
  programDir.font = kCourier975;
  designs.push_back(programDir);
  designs.push_back(InPanel(Image("Image3", res::kBanner, 240, 240, 3975, 495, true)));
  designs.push_back(InPanel(Image("Image6", res::kCornerRight, 7360, 80, 720, 720, false)));

  AddProgressRow(designs, 0, "lblExtrating", "Extracting  Flies:", "lblExprogress", 1815, true);
  AddProgressRow(designs, 1, "lblInstalling", "Installing  Flies:", "lblInprogress", 2520, false);
  AddProgressRow(designs, 2, "lblRegistering", "Registering Flies:", "lblRegprogress", 3240, false);
  AddProgressRow(designs, 3, "lblProgramGroup", "Creating Shortcuts:", "lblPGprogress", 3960,
                 false);
  AddProgressRow(designs, 4, "lblRegUninstall", "Register Uninstall:", "lblUninstallprogress", 4680,
                 false);
  return designs;
}

}  // namespace lyn
