// A drawing surface that records the lines drawn on it and its settings.
#pragma once

#include <string>
#include <vector>

#include "platform/api/widgets.h"

namespace lyn::fakes {

struct DrawnLine {
  double x1, y1, x2, y2;
  ui::COLORREF color;
};

class RecordingSurface : public ui::Surface {
 public:
  std::vector<DrawnLine> lines;
  ui::ScaleMode scaleMode = ui::ScaleMode::Pixels;
  int drawStyle = 0, drawMode = 0, drawWidth = 0, refreshes = 0;

  const std::string& Name() const override { return name_; }
  std::string Caption() const override { return {}; }
  void SetCaption(const std::string&) override {}
  bool Enabled() const override { return true; }
  void SetEnabled(bool) override {}
  bool Visible() const override { return true; }
  void SetVisible(bool) override {}
  bool Value() const override { return false; }
  void SetValue(bool) override {}
  void Move(int, int, int, int) override {}
  int Left() const override { return 0; }
  int Top() const override { return 0; }
  int Width() const override { return 0; }
  int Height() const override { return 0; }
  void SetContainer(ui::Control&) override {}
  void SetHandler(std::function<void()>) override {}
  void SetScaleMode(ui::ScaleMode mode) override { scaleMode = mode; }
  double ScaleWidth() const override { return 0; }
  double ScaleHeight() const override { return 0; }
  void SetDrawStyle(int style) override { drawStyle = style; }
  void SetDrawMode(int mode) override { drawMode = mode; }
  void SetDrawWidth(int width) override { drawWidth = width; }
  void Line(double x1, double y1, double x2, double y2, ui::COLORREF color) override {
    lines.push_back({x1, y1, x2, y2, color});
  }
  void Refresh() override { ++refreshes; }

 private:
  std::string name_ = "surface";
};

}  // namespace lyn::fakes
