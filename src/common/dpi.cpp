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

PixelPattern ScalePattern(const PixelPattern& pattern, int dpi) {
  if (dpi <= 0 || dpi == kDesignDpi || pattern.empty()) return pattern;
  const int rows = static_cast<int>(pattern.size());
  const int scaledRows = std::max(1, ScaleToDpi(rows, dpi));
  PixelPattern scaled;
  scaled.reserve(static_cast<std::size_t>(scaledRows));
  for (int y = 0; y < scaledRows; ++y) {
    const std::string& row = pattern[static_cast<std::size_t>(std::int64_t{y} * rows / scaledRows)];
    const int columns = static_cast<int>(row.size());
    const int scaledColumns = columns == 0 ? 0 : std::max(1, ScaleToDpi(columns, dpi));
    std::string line(static_cast<std::size_t>(scaledColumns), ' ');
    for (int x = 0; x < scaledColumns; ++x) {
      line[static_cast<std::size_t>(x)] = row[static_cast<std::size_t>(std::int64_t{x} * columns / scaledColumns)];
    }
    scaled.push_back(std::move(line));
  }
  return scaled;
}

}  // namespace wolumetr
