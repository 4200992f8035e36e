#include "display/pie_points.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace wolumetr {

namespace {

// Unsigned 128-bit integer, just what the rounding below needs.
struct U128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
};

U128 Multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t aLo = a & 0xFFFFFFFFU;
  const std::uint64_t aHi = a >> 32;
  const std::uint64_t bLo = b & 0xFFFFFFFFU;
  const std::uint64_t bHi = b >> 32;
  const std::uint64_t ll = aLo * bLo;
  const std::uint64_t lh = aLo * bHi;
  const std::uint64_t hl = aHi * bLo;
  const std::uint64_t hh = aHi * bHi;
  const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFU) + (hl & 0xFFFFFFFFU);
  U128 r;
  r.lo = (middle << 32) | (ll & 0xFFFFFFFFU);
  r.hi = hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
  return r;
}

int BitLength(const U128& v) {
  if (v.hi != 0) {
    return 128 - std::countl_zero(v.hi);
  }
  return 64 - std::countl_zero(v.lo);
}

// v >> shift, 0 < shift < 128.
U128 ShiftRight(const U128& v, int shift) {
  U128 r;
  if (shift >= 64) {
    r.lo = v.hi >> (shift - 64);
  } else {
    r.lo = (v.lo >> shift) | (v.hi << (64 - shift));
    r.hi = v.hi >> shift;
  }
  return r;
}

// Compares the low `shift` bits of v with 2^(shift-1): -1 below, 0 equal, 1 above.
int CompareDroppedBitsWithHalf(const U128& v, int shift) {
  U128 dropped = v;
  if (shift < 64) {
    dropped.hi = 0;
    dropped.lo &= (std::uint64_t{1} << shift) - 1;
  } else if (shift < 128) {
    dropped.hi &= (std::uint64_t{1} << (shift - 64)) - 1;
  }
  U128 half;
  if (shift - 1 >= 64) {
    half.hi = std::uint64_t{1} << (shift - 1 - 64);
  } else {
    half.lo = std::uint64_t{1} << (shift - 1);
  }
  if (dropped.hi != half.hi) {
    return dropped.hi < half.hi ? -1 : 1;
  }
  if (dropped.lo != half.lo) {
    return dropped.lo < half.lo ? -1 : 1;
  }
  return 0;
}

// A binary floating-point value mantissa * 2^exponent.
struct Binary {
  std::uint64_t mantissa = 0;
  int exponent = 0;
};

// Rounds v * 2^exponent to `bits` significant bits, to nearest, ties to even,
// as the FPU does. v must not be zero; bits <= 64.
Binary RoundToBits(const U128& v, int exponent, int bits) {
  const int length = BitLength(v);
  if (length <= bits) {
    return {v.lo, exponent};
  }
  const int shift = length - bits;
  std::uint64_t kept = ShiftRight(v, shift).lo;
  const int versusHalf = CompareDroppedBitsWithHalf(v, shift);
  int newExponent = exponent + shift;
  if (versusHalf > 0 || (versusHalf == 0 && (kept & 1U) != 0)) {
    ++kept;
    if (bits < 64 ? kept == (std::uint64_t{1} << bits) : kept == 0) {
      kept = std::uint64_t{1} << (bits - 1);
      ++newExponent;
    }
  }
  return {kept, newExponent};
}

Binary RoundToBits(const Binary& value, int bits) { return RoundToBits(U128{0, value.mantissa}, value.exponent, bits); }

// 1/180 rounded to the 64-bit mantissa of the x87 extended format.
constexpr std::uint64_t kOneOver180Mantissa = 0xB60B60B60B60B60BU;
constexpr int kOneOver180Exponent = -71;
// The double 3.141592653589793.
constexpr std::uint64_t kPiMantissa = 0x1921FB54442D18U;
constexpr int kPiExponent = -51;

constexpr int kExtendedBits = 64;
constexpr int kDoubleBits = 53;

// The gauge's radial points always lie 100 pixels from the centre.
constexpr double kRadius = 100.0;

// Cosine and sine as the gauge uses them: single precision. The product with
// the radius is exact in double (24-bit mantissa times 7 bits), as it is in
// the x87's extended format.
double ScaledCos(int angle) {
  return kRadius * static_cast<double>(static_cast<float>(std::cos(DegreesToRadians(angle))));
}

double ScaledSin(int angle) {
  return kRadius * static_cast<double>(static_cast<float>(std::sin(DegreesToRadians(angle))));
}

}  // namespace

double DegreesToRadians(int angle) {
  if (angle == 0) {
    return 0.0;
  }
  const std::uint64_t magnitude = angle < 0
                                      ? std::uint64_t{0} - static_cast<std::uint64_t>(static_cast<std::int64_t>(angle))
                                      : static_cast<std::uint64_t>(angle);
  // Each product is rounded to extended precision, the last one also to double.
  const Binary scaled = RoundToBits(Multiply(magnitude, kOneOver180Mantissa), kOneOver180Exponent, kExtendedBits);
  const Binary extended =
      RoundToBits(Multiply(scaled.mantissa, kPiMantissa), scaled.exponent + kPiExponent, kExtendedBits);
  const Binary rounded = RoundToBits(extended, kDoubleBits);
  const double radians = std::ldexp(static_cast<double>(rounded.mantissa), rounded.exponent);
  return angle < 0 ? -radians : radians;
}

PiePoint StartOffset(int angle) {
  return {static_cast<int>(std::floor(ScaledCos(angle))), -static_cast<int>(std::floor(ScaledSin(angle)))};
}

PiePoint EndOffset(int angle) {
  return {static_cast<int>(std::ceil(ScaledCos(angle))), -static_cast<int>(std::ceil(ScaledSin(angle)))};
}

PieCall ComputePieCall(int width, int height, int startAngle, int endAngle) {
  const int midX = width / 2;
  const int midY = height / 2;
  const PiePoint start = StartOffset(startAngle);
  const PiePoint end = EndOffset(endAngle);
  return {0, 0, width, height, {midX + start.x, midY + start.y}, {midX + end.x, midY + end.y}};
}

}  // namespace wolumetr
