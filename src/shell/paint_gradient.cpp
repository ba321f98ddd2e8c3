#include "shell/paint_gradient.h"

#include <cmath>
#include <cstdint>

namespace lyn {
namespace {

constexpr int kDrawStyleInsideSolid = 6;
constexpr int kDrawModeCopyPen = 13;

// Two hexadecimal digits as a 16-bit signed number; anything else reads as 0.
std::int16_t HexComponent(const std::string& colour, std::size_t offset) {
  if (colour.size() < offset + 2) return 0;
  std::int16_t value = 0;
  for (std::size_t i = offset; i < offset + 2; ++i) {
    const char c = colour[i];
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return value;
    }
    value = static_cast<std::int16_t>(value * 16 + digit);
  }
  return value;
}

// A colour part rounded to the nearest integer, halves to even (the default
// rounding mode of the floating-point unit).
int RoundHalfEven(float value) {
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace

void PaintGradient(Boolean16 useForm, float width, float height, const std::string& startColour,
                   const std::string& endColour, ui::Surface* form, ui::Surface* pictureBox) {
  // 1. Select the target and its pen.
  ui::Surface& target = useForm ? *form : *pictureBox;
  target.SetDrawStyle(kDrawStyleInsideSolid);
  target.SetDrawMode(kDrawModeCopyPen);
  target.SetDrawWidth(1);

  // 2. Parse the colours.
  const std::int16_t r1 = HexComponent(startColour, 0);
  const std::int16_t g1 = HexComponent(startColour, 2);
  const std::int16_t b1 =
      HexComponent(startColour, startColour.size() >= 2 ? startColour.size() - 2 : 0);
  const std::int16_t r2 = HexComponent(endColour, 0);
  const std::int16_t g2 = HexComponent(endColour, 2);
  const std::int16_t b2 = HexComponent(endColour, endColour.size() >= 2 ? endColour.size() - 2 : 0);

  // 3. One colour step per diagonal index.
  const float w = width;
  const float h = height;
  const float total = h + h + w;
  const float stepR = static_cast<float>(r2 - r1) / total;
  const float stepG = static_cast<float>(g2 - g1) / total;
  const float stepB = static_cast<float>(b2 - b1) / total;

  // 4. The colour of an index.
  const auto colour = [&](float x) {
    return ui::RGB(RoundHalfEven(static_cast<float>(r1) + x * stepR),
                   RoundHalfEven(static_cast<float>(g1) + x * stepG),
                   RoundHalfEven(static_cast<float>(b1) + x * stepB));
  };

  // 5. The upper-left triangle.
  for (float x = 1; x <= h; x += 1) target.Line(0, x, x, 0, colour(x));
  // 6. The band across the middle; its upper ends lie on y = 1.
  for (float x = h; x <= w; x += 1) target.Line(x, 1, x - h, h, colour(x));
  // 7. The lower-right triangle.
  for (float j = 1; j <= h; j += 1) target.Line(w, j, j + w - h, h, colour(j + w));

  // 8. Back to twips, and show the drawing.
  target.SetScaleMode(ui::ScaleMode::Twips);
  target.Refresh();
}

}  // namespace lyn
