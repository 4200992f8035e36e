#include "display/drive_usage.h"

#include "display/size_text.h"

namespace wolumetr {

namespace {

// floor(value * factor / divisor) for 0 <= value < divisor, exact for any
// 64-bit divisor: binary long multiplication keeping the remainder below the
// divisor, so no intermediate exceeds 2^64.
std::uint64_t MulDivFloor(std::uint64_t value, std::uint64_t factor, std::uint64_t divisor) {
  std::uint64_t quotient = 0;
  std::uint64_t remainder = 0;
  for (int bit = 63; bit >= 0; --bit) {
    quotient <<= 1;
    remainder <<= 1;
    if (remainder >= divisor) {
      remainder -= divisor;
      ++quotient;
    }
    if ((factor >> bit) & 1U) {
      remainder += value;
      if (remainder >= divisor) {
        remainder -= divisor;
        ++quotient;
      }
    }
  }
  return quotient;
}

}  // namespace

std::int32_t PercentFree(std::int64_t freeBytes, std::int64_t totalBytes) {
  if (freeBytes < 0 || totalBytes <= 0) {
    return 0;
  }
  if (freeBytes >= totalBytes) {
    return 100;
  }
  return static_cast<std::int32_t>(
      MulDivFloor(static_cast<std::uint64_t>(freeBytes), 100, static_cast<std::uint64_t>(totalBytes)));
}

TileFigures ComputeTileFigures(std::int64_t freeBytes, std::int64_t totalBytes, std::string_view decimalSeparator) {
  TileFigures figures;
  if (freeBytes < 0 || totalBytes < 0) {
    // A drive that is not ready must not pass for a full one.
    return figures;
  }
  figures.measured = true;
  // An empty-sized volume or one reporting more free than total space shows
  // as empty rather than dividing by zero or going negative.
  const bool empty = totalBytes == 0 || freeBytes >= totalBytes;
  figures.usedPercent = empty ? 0 : 100 - PercentFree(freeBytes, totalBytes);
  figures.startAngle = 0;
  figures.endAngle = figures.usedPercent * 18 / 5;
  figures.showWedge = figures.usedPercent > 0;
  figures.total = SizeToText(totalBytes, decimalSeparator);
  figures.used = SizeToText(empty ? 0 : totalBytes - freeBytes, decimalSeparator);
  figures.free = SizeToText(freeBytes, decimalSeparator);
  return figures;
}

}  // namespace wolumetr
