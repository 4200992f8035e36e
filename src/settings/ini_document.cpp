#include "settings/ini_document.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/ascii.h"

namespace wolumetr {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The profile functions' blanks: space, tab, vertical tab, form feed, and Ctrl-Z (an old
// end-of-file mark). CR and LF end lines.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return TrimRight(text);
}

// Names and values are C strings to the profile functions: a NUL ends them.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

bool IsQuote(char c) { return c == '"' || c == '\''; }

enum class LineKind { kOther, kSection, kEntry };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;                  // section name or key
  std::optional<std::string_view> value;  // raw text after the first '='; none for a key alone on its line
};

ParsedLine Classify(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return {};
  if (trimmed.front() == '[') {
    // A header runs to its last ']'; whatever follows that is ignored.
    const std::size_t close = trimmed.rfind(']');
    if (close == std::string_view::npos) return {};
    return {LineKind::kSection, UpToNul(Trim(trimmed.substr(1, close - 1))), {}};
  }
  const std::size_t eq = trimmed.find('=');
  // A line without '=' is a key without a value: it hides a later line of the same key.
  if (eq == std::string_view::npos) return {LineKind::kEntry, UpToNul(trimmed), std::nullopt};
  return {LineKind::kEntry, UpToNul(TrimRight(trimmed.substr(0, eq))), trimmed.substr(eq + 1)};
}

std::string ReadValue(std::string_view raw) {
  std::string_view value = UpToNul(Trim(raw));
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
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

// The text to put after '=' so that reading gives `value` back: blanks at the ends, or a value
// that is itself in a pair of quotes, would otherwise be lost on reading.
std::string EncodeValue(std::string_view value) {
  if (value.empty()) return {};
  const bool quoted = value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
  if (quoted || IsBlank(value.front()) || IsBlank(value.back())) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

bool IsPrintableAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

void CheckNames(std::string_view section, std::string_view key) {
  const bool section_ok = !section.empty() && IsPrintableAscii(section) && Trim(section) == section &&
                          section.find(']') == std::string_view::npos;
  const bool key_ok = !key.empty() && IsPrintableAscii(key) && Trim(key) == key &&
                      key.find('=') == std::string_view::npos && key.front() != ';' && key.front() != '#' &&
                      key.front() != '[';
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
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      doc.lines_.push_back({std::string(bytes), {}});
      break;
    }
    const std::size_t eol = bytes.substr(end, 2) == "\r\n" ? 2 : 1;
    doc.lines_.push_back({std::string(bytes.substr(0, end)), std::string(bytes.substr(end, eol))});
    bytes.remove_prefix(end + eol);
  }
  return doc;
}

IniDocument::Span IniDocument::FirstSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ParsedLine line = Classify(lines_[i].text);
    if (line.kind != LineKind::kSection || !EqualIgnoringAsciiCase(line.name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && Classify(lines_[end].text).kind != LineKind::kSection) ++end;
    return {i, end};
  }
  return {lines_.size(), lines_.size()};
}

std::optional<std::size_t> IniDocument::FindEntry(std::string_view section, std::string_view key) const {
  const Span span = FirstSection(section);
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const ParsedLine line = Classify(lines_[i].text);
    if (line.kind == LineKind::kEntry && EqualIgnoringAsciiCase(line.name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto index = FindEntry(section, key);
  if (!index) return std::nullopt;
  const auto raw = Classify(lines_[*index].text).value;
  if (!raw) return std::nullopt;
  return ReadValue(*raw);
}

std::string IniDocument::DominantLineEnding() const {
  const auto count = [this](std::string_view eol) {
    return std::count_if(lines_.begin(), lines_.end(), [eol](const Line& line) { return line.eol == eol; });
  };
  const auto crlf = count("\r\n");
  const auto lf = count("\n");
  const auto cr = count("\r");
  // Windows files are CRLF; a file that is mostly LF or CR was made elsewhere and stays so.
  if (cr > crlf && cr > lf) return "\r";
  return lf > crlf ? "\n" : "\r\n";
}

void IniDocument::Insert(std::size_t at, std::string text, std::string eol) {
  if (at > 0 && lines_[at - 1].eol.empty()) lines_[at - 1].eol = eol;
  // A CR right before an empty LF line would read back as one CRLF, taking that line's place.
  if (eol == "\r" && at < lines_.size() && lines_[at].text.empty() && lines_[at].eol == "\n") eol = "\r\n";
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), std::move(eol)});
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  CheckNames(section, key);
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
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
  const Span span = FirstSection(section);
  if (span.header < lines_.size()) {
    // After the last entry of the section's first occurrence, or right after its header.
    std::size_t anchor = span.header;
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
      if (Classify(lines_[i].text).kind == LineKind::kEntry) anchor = i;
    }
    Insert(anchor + 1, std::string(key) + "=" + encoded, eol);
    return true;
  }
  Insert(lines_.size(), "[" + std::string(section) + "]", eol);
  Insert(lines_.size(), std::string(key) + "=" + encoded, eol);
  return true;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
  const Span span = FirstSection(section);
  if (span.header >= lines_.size()) return false;
  // One pass that closes the gaps as it goes: erasing line by line moved every later line once
  // per erased one, and a file of many such lines took minutes.
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(span.header + 1);
  const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(span.end);
  const auto kept = std::remove_if(first, last, [key](const Line& line) {
    const ParsedLine parsed = Classify(line.text);
    return parsed.kind == LineKind::kEntry && EqualIgnoringAsciiCase(parsed.name, key);
  });
  if (kept == last) return false;
  lines_.erase(kept, last);
  return true;
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
