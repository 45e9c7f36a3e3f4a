#include "launcher/FocusGrid.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace mirto {

namespace {

int MiddleX(const TRect& r) { return r.Left + (r.Right - r.Left) / 2; }

// Indices into places in reading order.
std::vector<int> ReadingOrder(std::span<const TRect> places) {
  std::vector<int> order(places.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const TRect& ra = places[static_cast<std::size_t>(a)];
    const TRect& rb = places[static_cast<std::size_t>(b)];
    return ra.Top != rb.Top ? ra.Top < rb.Top : ra.Left < rb.Left;
  });
  return order;
}

}  // namespace

int NextInGrid(std::span<const TRect> places, int current, TGridMove move) {
  if (places.empty()) return -1;
  const std::vector<int> order = ReadingOrder(places);
  const auto at = std::find(order.begin(), order.end(), current);
  if (at == order.end()) return order.front();
  const auto position = static_cast<std::size_t>(at - order.begin());
  const TRect& here = places[static_cast<std::size_t>(current)];
  switch (move) {
    case gmRight:
      return position + 1 < order.size() ? order[position + 1] : current;
    case gmLeft:
      return position > 0 ? order[position - 1] : current;
    case gmDown:
    case gmUp: {
      // The neighbouring row: the nearest top below (or above) this one.
      const bool down = move == gmDown;
      int rowTop = 0;
      bool found = false;
      for (const TRect& r : places) {
        const bool beyond = down ? r.Top > here.Top : r.Top < here.Top;
        if (!beyond) continue;
        if (!found || (down ? r.Top < rowTop : r.Top > rowTop)) rowTop = r.Top;
        found = true;
      }
      if (!found) return current;
      int best = current;
      int bestDistance = 0;
      for (const int i : order) {
        const TRect& r = places[static_cast<std::size_t>(i)];
        if (r.Top != rowTop) continue;
        const int distance = std::abs(MiddleX(r) - MiddleX(here));
        if (best == current || distance < bestDistance) {
          best = i;
          bestDistance = distance;
        }
      }
      return best;
    }
  }
  return current;
}

}  // namespace mirto
