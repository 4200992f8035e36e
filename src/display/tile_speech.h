#pragma once
// What a screen reader hears of a drive tile: its name and its value, made from what the tile
// shows, so that the two never disagree.
#include <cstdint>
#include <string>

namespace wolumetr {

// "Dysk C: System", or "Dysk C:" while the volume has no name. `letter` as the tile shows it.
std::string TileSpokenName(const std::string& letter, const std::string& volume);

// "Zajęte 42 %, pojemność 100.00 GB, zajęte 42.00 GB, wolne 58.00 GB"; usedPercent < 0 (not
// measured): "Brak pomiaru". The size texts as the tile shows them.
std::string TileSpokenValue(std::int32_t usedPercent, const std::string& total, const std::string& used,
                            const std::string& free);

}  // namespace wolumetr
