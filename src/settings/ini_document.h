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
// Reading follows the Windows profile functions, through which hand-edited
// files were read before: lines end at CR LF, LF or CR; names match without
// regard to ASCII case; names and values are trimmed of blanks (space, tab,
// vertical tab, form feed, Ctrl-Z) and end at a NUL; a header runs from '[' to
// its last ']'; a value in a pair of quotes of either kind reads without them;
// only the first occurrence of a section counts, and in it the first line of a
// key, even one without '=' (which reads as absent); a value is cut to
// kMaxValueLength bytes, never inside a UTF-8 character.
class IniDocument {
 public:
  // A value is read into a 2048-character buffer by the profile functions.
  static constexpr std::size_t kMaxValueLength = 2047;

  IniDocument() = default;  // an empty text, as for a file that does not exist yet

  // Accepts any bytes.
  static IniDocument Parse(std::string_view bytes);

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Replaces the line of the key that Get reads, or adds the key after the
  // last entry of the section's first occurrence, or adds the section at the
  // end. Returns whether the text changed. Names must be printable ASCII
  // without surrounding blanks (a key without '=', not starting with ';', '#'
  // or '['; a section without ']'); a value must not hold CR, LF or NUL.
  // Otherwise throws std::invalid_argument.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // Takes out every line of the key in the section's first occurrence, so that
  // no later line of it comes to light. Returns whether any line was removed.
  bool Remove(std::string_view section, std::string_view key);

  std::string Serialize() const;

 private:
  struct Line {
    std::string text;  // without its line ending
    std::string eol;   // "\r\n", "\n", "\r", or "" for a last line without one
  };
  struct Span {
    std::size_t header;  // index of the header line; lines_.size() when the section is absent
    std::size_t end;     // one past its last line
  };

  Span FirstSection(std::string_view section) const;
  // Index of the line of the key that reading takes, if any.
  std::optional<std::size_t> FindEntry(std::string_view section, std::string_view key) const;
  std::string DominantLineEnding() const;
  void Insert(std::size_t at, std::string text, std::string eol);

  std::string bom_;
  std::vector<Line> lines_;
};

}  // namespace wolumetr
