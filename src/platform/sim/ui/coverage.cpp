#include "platform/sim/ui/coverage.h"

#include <algorithm>

#include "platform/sim/ui/form_model.h"

namespace lyn::sim {
namespace {

bool Contains(const TwipRect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// What remains of each rectangle once `cover` is taken away: at most four
// pieces for each.
std::vector<TwipRect> Subtract(const std::vector<TwipRect>& area, const TwipRect& cover) {
  if (cover.Empty()) return area;
  std::vector<TwipRect> rest;
  for (const TwipRect& r : area) {
    const TwipRect cut{std::max(r.left, cover.left), std::max(r.top, cover.top),
                       std::min(r.right, cover.right), std::min(r.bottom, cover.bottom)};
    if (cut.Empty()) {
      rest.push_back(r);
      continue;
    }
    const TwipRect pieces[] = {{r.left, r.top, r.right, cut.top},
                               {r.left, cut.bottom, r.right, r.bottom},
                               {r.left, cut.top, cut.left, cut.bottom},
                               {cut.right, cut.top, r.right, cut.bottom}};
    for (const TwipRect& piece : pieces) {
      if (!piece.Empty()) rest.push_back(piece);
    }
  }
  return rest;
}

}  // namespace

std::vector<TwipRect> UncoveredArea(const ControlModel& control) {
  std::vector<TwipRect> area{control.VisibleArea()};
  if (area.front().Empty()) return {};
  // Above the control lie its later siblings, then those of each container
  // around it.
  for (const ControlModel* level = &control; level->Container() != nullptr;
       level = level->Container()) {
    for (const auto& other : control.Form().Controls()) {
      if (other->Container() == level->Container() && other->ZOrder() > level->ZOrder()) {
        area = Subtract(area, other->VisibleArea());
      }
    }
  }
  return area;
}

const ControlModel* ControlAt(const FormModel& form, int x, int y) {
  if (!Contains(form.VisibleArea(), x, y)) return nullptr;
  const ControlModel* at = &form;
  while (true) {
    const ControlModel* top = nullptr;
    for (const auto& control : form.Controls()) {
      if (control->Container() == at && Contains(control->VisibleArea(), x, y) &&
          (top == nullptr || control->ZOrder() > top->ZOrder())) {
        top = control.get();
      }
    }
    if (top == nullptr) return at;
    if (top->Kind() != ui::Kind::PictureBox) return top;
    at = top;
  }
}

}  // namespace lyn::sim
