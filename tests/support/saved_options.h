#pragma once
// What the Options save stores for a record, told by the schema: tests that save build the file
// they expect from this rather than restate every key and its place.
#include <algorithm>
#include <string>
#include <vector>

#include "settings/settings_schema.h"

namespace wolumetr {

// The record as the schema's defaults give it.
inline OptionsRecord DefaultOptions() {
  OptionsRecord record;
  ForEachOptionsSetting([&](const auto& setting) { record.*setting.member = setting.byDefault; });
  return record;
}

// The first save of a first run: the window at 412, 300 with two tiles in a row, the rest as by default.
inline OptionsRecord ExampleOptions() {
  OptionsRecord record = DefaultOptions();
  record.left = 412;
  record.top = 300;
  record.gridColumns = 2;
  record.gridRows = 1;
  return record;
}

// The lines the save adds to a file that holds none of its sections: each section where its
// first entry is written, its entries in their order, CR LF line ends.
inline std::string SavedOptionsText(const OptionsRecord& record) {
  std::vector<std::string> sections, text;
  ForEachOptionsSetting([&](const auto& setting) {
    const std::string section(setting.section);
    const auto at = static_cast<std::size_t>(std::find(sections.begin(), sections.end(), section) - sections.begin());
    if (at == sections.size()) {
      sections.push_back(section);
      text.push_back("[" + section + "]\r\n");
    }
    text[at] += std::string(setting.key) + "=" + std::to_string(record.*setting.member) + "\r\n";  // a flag: 1 or 0
  });
  std::string all;
  for (const std::string& lines : text) all += lines;
  return all;
}

}  // namespace wolumetr
