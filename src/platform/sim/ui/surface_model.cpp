#include "platform/sim/ui/surface_model.h"

#include <algorithm>
#include <cmath>

namespace lyn::sim {

SurfaceModel::SurfaceModel(const ui::ControlDesign& design, SurfaceModel* container,
                           FormModel& form, WidgetObserver& events, int innerWidthTwips,
                           int innerHeightTwips)
    : ControlModel(design, container, form, events),
      innerWidthTwips_(innerWidthTwips),
      innerHeightTwips_(innerHeightTwips),
      image_(innerWidthTwips / ui::kTwipsPerPixel, innerHeightTwips / ui::kTwipsPerPixel,
             design.hasBackColor ? design.backColor : kButtonFace) {}

void SurfaceModel::SetScaleMode(ui::ScaleMode mode) {
  if (mode == scale_) return;
  scale_ = mode;
  Notify(Property::ScaleMode);
}

double SurfaceModel::ScaleWidth() const {
  return scale_ == ui::ScaleMode::Pixels ? image_.Width() : innerWidthTwips_;
}

double SurfaceModel::ScaleHeight() const {
  return scale_ == ui::ScaleMode::Pixels ? image_.Height() : innerHeightTwips_;
}

void SurfaceModel::Line(double x1, double y1, double x2, double y2, ui::COLORREF color) {
  image_.Line(ToPixels(x1), ToPixels(y1), ToPixels(x2), ToPixels(y2), color);
}

void SurfaceModel::Move(int left, int top, int width, int height) {
  ControlModel::Move(left, top, width, height);
  if (Kind() != ui::Kind::PictureBox) return;
  innerWidthTwips_ = state_.width;
  innerHeightTwips_ = state_.height;
  image_.Resize(innerWidthTwips_ / ui::kTwipsPerPixel, innerHeightTwips_ / ui::kTwipsPerPixel);
}

int SurfaceModel::ToTwips(int units) const {
  return scale_ == ui::ScaleMode::Pixels ? units * ui::kTwipsPerPixel : units;
}

int SurfaceModel::FromTwips(int twips) const {
  if (scale_ == ui::ScaleMode::Twips) return twips;
  return static_cast<int>(std::lround(static_cast<double>(twips) / ui::kTwipsPerPixel));
}

int SurfaceModel::ToPixels(double units) const {
  // Far beyond any image, so that the rasteriser's arithmetic cannot overflow.
  constexpr double kLimit = 1 << 24;
  const double pixels = scale_ == ui::ScaleMode::Pixels ? units : units / ui::kTwipsPerPixel;
  return static_cast<int>(std::lround(std::clamp(pixels, -kLimit, kLimit)));
}

}  // namespace lyn::sim
