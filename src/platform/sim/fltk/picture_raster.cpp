#include "platform/sim/fltk/picture_raster.h"

#include <algorithm>
#include <cmath>

namespace lyn::sim::fltk {
namespace {

// For each target index along one axis, the source indices it covers and
// the share of each.
struct Span {
  int first = 0;
  std::vector<double> weights;
};

std::vector<Span> Spans(int sourceSize, int targetSize) {
  std::vector<Span> spans(static_cast<std::size_t>(targetSize));
  const double scale = static_cast<double>(sourceSize) / targetSize;
  for (int t = 0; t < targetSize; ++t) {
    const double from = t * scale;
    const double to = from + scale;
    Span& span = spans[static_cast<std::size_t>(t)];
    span.first = static_cast<int>(std::floor(from));
    for (int s = span.first; s < sourceSize && s < to; ++s) {
      span.weights.push_back((std::min<double>(s + 1, to) - std::max<double>(s, from)) / scale);
    }
  }
  return spans;
}

std::uint8_t ToByte(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

RgbaImage Stretch(const ui::Picture& picture, int width, int height) {
  RgbaImage out{width, height,
                std::vector<std::uint8_t>(static_cast<std::size_t>(width) *
                                          static_cast<std::size_t>(height) * 4)};
  const auto columns = Spans(picture.width, width);
  const auto rows = Spans(picture.height, height);
  for (int y = 0; y < height; ++y) {
    const Span& row = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < width; ++x) {
      const Span& column = columns[static_cast<std::size_t>(x)];
      double sum[4] = {0, 0, 0, 0};
      for (std::size_t j = 0; j < row.weights.size(); ++j) {
        for (std::size_t i = 0; i < column.weights.size(); ++i) {
          const double w = row.weights[j] * column.weights[i];
          const std::uint8_t* p =
              picture.rgba + ((static_cast<std::size_t>(row.first) + j) * picture.width +
                              static_cast<std::size_t>(column.first) + i) *
                                 4;
          const double alpha = p[3] * w;
          for (int k = 0; k < 3; ++k) sum[k] += p[k] * alpha;
          sum[3] += alpha;
        }
      }
      std::uint8_t* q = &out.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      for (int k = 0; k < 3; ++k) q[k] = sum[3] > 0 ? ToByte(sum[k] / sum[3]) : 0;
      q[3] = ToByte(sum[3]);
    }
  }
  return out;
}

std::vector<std::uint8_t> ToRgb(const BackImage& image) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()) *
              3);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const ui::COLORREF c = image.At(x, y);
      rgb.push_back(static_cast<std::uint8_t>(ui::RedOf(c)));
      rgb.push_back(static_cast<std::uint8_t>(ui::GreenOf(c)));
      rgb.push_back(static_cast<std::uint8_t>(ui::BlueOf(c)));
    }
  }
  return rgb;
}

std::vector<std::uint8_t> Compose(const BackImage& under, int left, int top,
                                  const RgbaImage& picture) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(picture.width) *
                                static_cast<std::size_t>(picture.height) * 3);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int ux = left + x;
      const int uy = top + y;
      const bool inside = ux >= 0 && uy >= 0 && ux < under.Width() && uy < under.Height();
      const ui::COLORREF back = inside ? under.At(ux, uy) : 0;
      const int below[3] = {ui::RedOf(back), ui::GreenOf(back), ui::BlueOf(back)};
      const std::uint8_t* p = &picture.rgba[(static_cast<std::size_t>(y) * picture.width + x) * 4];
      std::uint8_t* q = &rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3];
      for (int k = 0; k < 3; ++k) {
        q[k] = ToByte((p[k] * p[3] + below[k] * (255 - p[3])) / 255.0);
      }
    }
  }
  return rgb;
}

}  // namespace lyn::sim::fltk
