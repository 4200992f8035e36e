#include "settings/ini_document.h"

#include <stdexcept>
#include <utility>

#include "common/ascii.h"

namespace wolumetr {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

enum class LineKind { kOther, kSection, kEntry };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section name or key, trimmed
  std::string_view value;  // raw text after the first '=' of an entry
};

ParsedLine Classify(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return {};
  if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
    return {LineKind::kSection, Trim(trimmed.substr(1, trimmed.size() - 2)), {}};
  }
  const std::size_t eq = trimmed.find('=');
  if (eq == std::string_view::npos) return {};
  const std::string_view key = Trim(trimmed.substr(0, eq));
  if (key.empty()) return {};
  return {LineKind::kEntry, key, trimmed.substr(eq + 1)};
}

std::string ReadValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > IniDocument::kMaxValueLength) {
    std::size_t cut = IniDocument::kMaxValueLength;
    // Step back off UTF-8 continuation bytes so the cut never splits a character.
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    value = value.substr(0, cut);
  }
  return std::string(value);
}

// The text to put after '=' so that reading gives `value` back: blanks at the
// ends, or a value that is itself quoted, would otherwise be lost on reading.
std::string EncodeValue(std::string_view value) {
  if (value.empty()) return {};
  const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  if (quoted || IsBlank(value.front()) || IsBlank(value.back()) || value.back() == '\r') {
    return "\"" + std::string(value) + "\"";
  }
  return std::string(value);
}

bool IsPrintableAscii(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) return false;
  }
  return true;
}

void CheckNames(std::string_view section, std::string_view key) {
  const bool section_ok = !section.empty() && IsPrintableAscii(section) && Trim(section) == section &&
                          section.find(']') == std::string_view::npos;
  const bool key_ok = !key.empty() && IsPrintableAscii(key) && Trim(key) == key &&
                      key.find('=') == std::string_view::npos && key.front() != ';' &&
                      key.front() != '#' && key.front() != '[';
  if (!section_ok || !key_ok) {
    throw std::invalid_argument("Invalid settings name [" + std::string(section) + "] " + std::string(key));
  }
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    doc.bom_ = std::string(kUtf8Bom);
    bytes.remove_prefix(kUtf8Bom.size());
  }
  while (!bytes.empty()) {
    const std::size_t nl = bytes.find('\n');
    if (nl == std::string_view::npos) {
      doc.lines_.push_back({std::string(bytes), {}});
      break;
    }
    const bool crlf = nl > 0 && bytes[nl - 1] == '\r';
    const std::size_t text_end = crlf ? nl - 1 : nl;
    doc.lines_.push_back({std::string(bytes.substr(0, text_end)), crlf ? "\r\n" : "\n"});
    bytes.remove_prefix(nl + 1);
  }
  return doc;
}

std::optional<std::size_t> IniDocument::FindEntry(std::string_view section, std::string_view key) const {
  bool in_section = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ParsedLine line = Classify(lines_[i].text);
    if (line.kind == LineKind::kSection) {
      in_section = EqualIgnoringAsciiCase(line.name, section);
    } else if (line.kind == LineKind::kEntry && in_section && EqualIgnoringAsciiCase(line.name, key)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto index = FindEntry(section, key);
  if (!index) return std::nullopt;
  return ReadValue(Classify(lines_[*index].text).value);
}

std::string IniDocument::DominantLineEnding() const {
  std::size_t crlf = 0;
  std::size_t lf = 0;
  for (const Line& line : lines_) {
    if (line.eol == "\r\n") ++crlf;
    if (line.eol == "\n") ++lf;
  }
  // Windows files are CRLF; a file that is mostly LF was made elsewhere and stays so.
  return lf > crlf ? "\n" : "\r\n";
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  CheckNames(section, key);
  if (value.find('\n') != std::string_view::npos) {
    throw std::invalid_argument("Invalid settings value for " + std::string(key));
  }
  const std::string encoded = EncodeValue(value);

  if (const auto index = FindEntry(section, key)) {
    Line& line = lines_[*index];
    // Keep the key as the file spells it.
    std::string text = std::string(Classify(line.text).name) + "=" + encoded;
    if (text == line.text) return false;
    line.text = std::move(text);
    return true;
  }

  const std::string eol = DominantLineEnding();
  const auto terminate_previous = [&](std::size_t insert_at) {
    if (insert_at == 0 || !lines_[insert_at - 1].eol.empty()) return;
    Line& last = lines_[insert_at - 1];
    // A bare "\n" after a trailing '\r' would read back as one CRLF and cut the '\r' off the line.
    last.eol = !last.text.empty() && last.text.back() == '\r' ? "\r\n" : eol;
  };

  // The key is new: place it after the last entry of the first matching section.
  std::optional<std::size_t> anchor;
  bool in_first_section = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ParsedLine line = Classify(lines_[i].text);
    if (line.kind == LineKind::kSection) {
      if (anchor) break;  // the first matching section has ended
      in_first_section = EqualIgnoringAsciiCase(line.name, section);
      if (in_first_section) anchor = i;
    } else if (line.kind == LineKind::kEntry && in_first_section) {
      anchor = i;
    }
  }
  Line entry{std::string(key) + "=" + encoded, eol};
  if (anchor) {
    const std::size_t insert_at = *anchor + 1;
    terminate_previous(insert_at);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(entry));
    return true;
  }
  terminate_previous(lines_.size());
  lines_.push_back({"[" + std::string(section) + "]", eol});
  lines_.push_back(std::move(entry));
  return true;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
  bool removed = false;
  bool in_section = false;
  std::vector<Line> kept;
  kept.reserve(lines_.size());
  for (Line& line : lines_) {
    const ParsedLine parsed = Classify(line.text);
    if (parsed.kind == LineKind::kSection) {
      in_section = EqualIgnoringAsciiCase(parsed.name, section);
    } else if (parsed.kind == LineKind::kEntry && in_section && EqualIgnoringAsciiCase(parsed.name, key)) {
      removed = true;
      continue;
    }
    kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
  return removed;
}

std::string IniDocument::Serialize() const {
  std::size_t size = bom_.size();
  for (const Line& line : lines_) size += line.text.size() + line.eol.size();
  std::string out;
  out.reserve(size);
  out += bom_;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.eol;
  }
  return out;
}

}  // namespace wolumetr
