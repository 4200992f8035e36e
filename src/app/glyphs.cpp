#include "app/glyphs.h"

#include <array>
#include <cstddef>

namespace wolumetr {
namespace {

// Capitals five pixels high; W is five wide, I one, the rest three.
struct Letter {
  char name;
  std::array<const char*, 5> rows;
};
constexpr Letter kLetters[] = {
    {'O', {"###", "#.#", "#.#", "#.#", "###"}}, {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
    {'S', {"###", "#..", "###", "..#", "###"}}, {'W', {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}},
    {'I', {"#", "#", "#", "#", "#"}},           {'E', {"###", "#..", "##.", "#..", "###"}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}}, {'Z', {"###", "..#", ".#.", "#..", "###"}},
};

const Letter& LetterFor(char c) {
  for (const Letter& l : kLetters) {
    if (l.name == c) return l;
  }
  return kLetters[0];
}

std::vector<std::string> Framed(std::vector<std::string> inside) {
  const std::size_t width = inside.front().size() + 2;
  std::vector<std::string> rows;
  rows.emplace_back(width, '#');
  for (const std::string& line : inside) rows.push_back("#" + line + "#");
  rows.emplace_back(width, '#');
  rows.emplace_back(width, '.');  // the transparent bottom row
  return rows;
}

std::vector<std::string> MakeRefresh() {
  std::array<std::string, 5> word;
  for (char c : std::string("ODSWIERZ")) {
    for (std::size_t y = 0; y < 5; ++y) word[y] += (word[y].empty() ? "" : ".") + std::string(LetterFor(c).rows[y]);
  }
  const std::size_t innerWidth = 37;
  const std::size_t left = (innerWidth - word[0].size()) / 2;
  std::vector<std::string> inside(7, std::string(innerWidth, '.'));
  for (std::size_t y = 0; y < 5; ++y) inside[y + 1].replace(left, word[y].size(), word[y]);
  return Framed(inside);
}

}  // namespace

const PatternPalette& GlyphPalette() {
  static const PatternPalette palette{{'#', colours::kTeal}};
  return palette;
}

PatternPalette GlyphPalette(Colour ink) { return PatternPalette{{'#', ink}}; }

const std::vector<std::string>& CloseGlyph() {
  static const std::vector<std::string> glyph = Framed({"......", ".#..#.", "..##..", "..##..", ".#..#.", "......"});
  return glyph;
}

const std::vector<std::string>& HideGlyph() {
  static const std::vector<std::string> glyph = Framed({"......", "......", "......", ".####.", ".####.", "......"});
  return glyph;
}

const std::vector<std::string>& RefreshGlyph() {
  static const std::vector<std::string> glyph = MakeRefresh();
  return glyph;
}

}  // namespace wolumetr
