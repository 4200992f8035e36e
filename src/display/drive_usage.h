#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wolumetr {

// What a drive tile shows after one measurement.
struct TileFigures {
  bool measured = false;         // false: the query failed, the tile shows no figures
  std::int32_t usedPercent = 0;  // 0..100, rounded up to the next whole percent
  std::int32_t startAngle = 0;   // pie angles in degrees, counterclockwise from 3 o'clock
  std::int32_t endAngle = 0;     // 0..360
  bool showWedge = false;        // false: draw the empty gauge (outline only)
  std::string total;
  std::string used;
  std::string free;
};

// Percentage of the volume that is free, truncated: (free * 100) div total,
// computed without overflowing for any pair with 0 <= free <= total.
std::int32_t PercentFree(std::int64_t freeBytes, std::int64_t totalBytes);

// Figures of a tile from the drive's free and total bytes (-1 when a query
// failed). Never faults: a total of 0 shows 0 % used, and free > total is
// treated as an empty volume.
TileFigures ComputeTileFigures(std::int64_t freeBytes, std::int64_t totalBytes,
                               std::string_view decimalSeparator = ".");

}  // namespace wolumetr
