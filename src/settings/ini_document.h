#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wolumetr {

// The text of an INI file held in memory and edited in place. Only the lines
// of the entries that are set or removed change; everything else (other
// sections and keys, comments, blank or unparsable lines, line endings, a
// UTF-8 byte-order mark) is written back byte for byte.
//
// Reading follows the Windows profile functions: names match without regard
// to ASCII case, names and values are trimmed of spaces and tabs, a value in
// a matching pair of double quotes reads without them, the first occurrence of
// a duplicated section or key wins, and a value is cut to kMaxValueLength.
class IniDocument {
 public:
  // A value is read into a 2048-character buffer by the profile functions.
  static constexpr std::size_t kMaxValueLength = 2047;

  IniDocument() = default;  // an empty text, as for a file that does not exist yet

  // Accepts any bytes; lines end at '\n' (optionally preceded by '\r').
  static IniDocument Parse(std::string_view bytes);

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Replaces the first occurrence of the key, or adds it after the last entry
  // of the section, or adds the section at the end. Returns whether the text
  // changed. Names must be printable ASCII without surrounding blanks (a key
  // without '=', not starting with ';', '#' or '['; a section without ']');
  // a value must not hold '\n'. Otherwise throws std::invalid_argument.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // Takes out every entry line of the key in the section. Returns whether any
  // line was removed.
  bool Remove(std::string_view section, std::string_view key);

  std::string Serialize() const;

 private:
  struct Line {
    std::string text;  // without its line ending
    std::string eol;   // "\r\n", "\n", or "" for a last line without one
  };

  // Index of the first entry line of the key in the section, if any.
  std::optional<std::size_t> FindEntry(std::string_view section, std::string_view key) const;
  std::string DominantLineEnding() const;

  std::string bom_;
  std::vector<Line> lines_;
};

}  // namespace wolumetr
