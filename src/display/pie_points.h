#pragma once

namespace wolumetr {

struct PiePoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PiePoint&, const PiePoint&) = default;
};

// Arguments of the GDI Pie call that paints a gauge: the bounding rectangle
// and the two radial points (only their direction from the centre counts).
struct PieCall {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  PiePoint first;
  PiePoint second;
  friend bool operator==(const PieCall&, const PieCall&) = default;
};

// Angle in whole degrees to radians, rounded exactly as an x87 computes
// angle * (1/180 as 80-bit extended) * pi (as double), stored to a double.
// Done in integer arithmetic so every compiler gives the same bits.
double DegreesToRadians(int angle);

// Offsets from the centre at a radius of 100 pixels, y growing downwards.
// The start point is rounded down, the end point up, after cos and sin are
// taken to single precision (so cos 60 degrees is exactly 0.5).
PiePoint StartOffset(int angle);
PiePoint EndOffset(int angle);

// The Pie call for a gauge of width x height with the given angles.
PieCall ComputePieCall(int width, int height, int startAngle, int endAngle);

}  // namespace wolumetr
