// A form or a picture box of the headless widget set: a control with a
// persistent back image and a scale for the coordinates of its lines and of
// the controls inside it.
#pragma once

#include "platform/sim/ui/back_image.h"
#include "platform/sim/ui/control_model.h"

namespace lyn::sim {

// The colour of a form or picture box without a designed background.
constexpr ui::COLORREF kButtonFace = ui::RGB(240, 240, 240);

class SurfaceModel : public ControlModel, public virtual ui::Surface {
 public:
  // The back image gets the inner size in pixels (twips / 15).
  SurfaceModel(const ui::ControlDesign& design, SurfaceModel* container, FormModel& form,
               WidgetObserver& events, int innerWidthTwips, int innerHeightTwips);

  void SetScaleMode(ui::ScaleMode mode) override;
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  void SetDrawStyle(int style) override { drawStyle_ = style; }
  void SetDrawMode(int mode) override { drawMode_ = mode; }
  void SetDrawWidth(int width) override { drawWidth_ = width; }
  // Lines are one pixel wide whatever the draw width.
  void Line(double x1, double y1, double x2, double y2, ui::COLORREF color) override;
  void Refresh() override { Notify(Property::Image); }
  // A picture box's back image follows its new size.
  void Move(int left, int top, int width, int height) override;

  ui::ScaleMode Scale() const { return scale_; }
  int DrawStyle() const { return drawStyle_; }
  int DrawMode() const { return drawMode_; }
  int DrawWidth() const { return drawWidth_; }
  const BackImage& Image() const { return image_; }

  // Conversions between the current scale units and twips.
  int ToTwips(int units) const;
  int FromTwips(int twips) const;
  // The inner area, where the controls inside are placed, in the form's
  // client area.
  virtual TwipRect ClientRect() const { return Rect(); }

 private:
  int ToPixels(double units) const;

  ui::ScaleMode scale_ = ui::ScaleMode::Twips;
  int drawStyle_ = 0;
  int drawMode_ = 13;
  int drawWidth_ = 1;
  int innerWidthTwips_;
  int innerHeightTwips_;
  BackImage image_;
};

}  // namespace lyn::sim
