#include "display/tile_speech.h"

namespace wolumetr {

std::string TileSpokenName(const std::string& letter, const std::string& volume) {
  std::string name = "Dysk " + letter + ":";
  if (!volume.empty()) name += " " + volume;
  return name;
}

std::string TileSpokenValue(std::int32_t usedPercent, const std::string& total, const std::string& used,
                            const std::string& free) {
  if (usedPercent < 0) return "Brak pomiaru";
  return "Zajęte " + std::to_string(usedPercent) + " %, pojemność " + total + ", zajęte " + used + ", wolne " + free;
}

}  // namespace wolumetr
