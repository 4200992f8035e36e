#pragma once
#include <ostream>

#include "common/geometry.h"
#include "display/grid_layout.h"
#include "display/pie_points.h"

// Readable failure messages for the small display types.
namespace wolumetr {

inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

inline void PrintTo(const Size& s, std::ostream* os) { *os << s.width << "x" << s.height; }

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const Grid& g, std::ostream* os) { *os << g.columns << " columns x " << g.rows << " rows"; }

inline void PrintTo(const PiePoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

inline void PrintTo(const PieCall& c, std::ostream* os) {
  *os << "Pie(" << c.left << ", " << c.top << ", " << c.right << ", " << c.bottom << ", ";
  PrintTo(c.first, os);
  *os << ", ";
  PrintTo(c.second, os);
  *os << ")";
}

}  // namespace wolumetr
