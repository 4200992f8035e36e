#include "common/dpi.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace wolumetr {

int ScaleToDpi(int length, int dpi) {
  if (dpi <= 0 || dpi == kDesignDpi) return length;
  const std::int64_t product = std::int64_t{length} * dpi;
  const std::int64_t half = kDesignDpi / 2;
  const std::int64_t scaled = product >= 0 ? (product + half) / kDesignDpi : (product - half) / kDesignDpi;
  return static_cast<int>(
      std::clamp<std::int64_t>(scaled, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Point ScaleToDpi(Point point, int dpi) { return {ScaleToDpi(point.x, dpi), ScaleToDpi(point.y, dpi)}; }

Size ScaleToDpi(Size size, int dpi) { return {ScaleToDpi(size.width, dpi), ScaleToDpi(size.height, dpi)}; }

}  // namespace wolumetr
