#include "settings/settings_file.h"

#include <utility>

#include "settings/number_reading.h"

namespace wolumetr {

SettingsFile::SettingsFile(SettingsStore& store, std::string path) : store_(store), path_(std::move(path)) {}

IniDocument& SettingsFile::Document() {
  if (!loaded_) {
    try {
      on_disk_ = store_.Load(path_);
    } catch (const SettingsReadError&) {
      unreadable_ = true;
    }
    if (on_disk_) {
      DecodedText text = DecodeText(*on_disk_);
      document_ = IniDocument::Parse(text.utf8);
      encoding_ = text.encoding;
      tail_ = std::move(text.tail);
    }
    loaded_ = true;
  }
  return document_;
}

std::string SettingsFile::ReadText(std::string_view section, std::string_view key, std::string_view default_value) {
  auto value = Document().Get(section, key);
  return value ? std::move(*value) : std::string(default_value);
}

std::int32_t SettingsFile::ReadNumber(std::string_view section, std::string_view key, std::int32_t default_value) {
  return ParseNumber(ReadText(section, key, "")).value_or(default_value);
}

bool SettingsFile::ReadFlag(std::string_view section, std::string_view key, bool default_value) {
  return ReadNumber(section, key, default_value ? 1 : 0) != 0;
}

void SettingsFile::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  if (Document().Set(section, key, value)) changed_ = true;
}

void SettingsFile::WriteNumber(std::string_view section, std::string_view key, std::int32_t value) {
  WriteText(section, key, FormatNumber(value));
}

void SettingsFile::WriteFlag(std::string_view section, std::string_view key, bool value) {
  WriteText(section, key, value ? "1" : "0");
}

void SettingsFile::RemoveKey(std::string_view section, std::string_view key) {
  if (Document().Remove(section, key)) changed_ = true;
}

void SettingsFile::Commit() {
  if (!changed_) return;
  if (unreadable_) throw SettingsWriteError(path_);
  std::string content = EncodeText(DecodedText{encoding_, document_.Serialize(), tail_});
  // Edits that cancel out (a drive list saved unchanged) need no write.
  if (!on_disk_ || *on_disk_ != content) store_.Replace(path_, content);
  on_disk_ = std::move(content);
  changed_ = false;
}

}  // namespace wolumetr
