#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/ascii.h"
#include "display/drive_table.h"
#include "fuzz_checks.h"
#include "memory_settings_store.h"
#include "saved_options.h"
#include "settings/drive_list.h"
#include "settings/ini_document.h"
#include "settings/number_reading.h"
#include "settings/options_rules.h"
#include "settings/settings_file.h"
#include "settings/settings_schema.h"
#include "settings/startup_settings.h"
#include "settings/text_encoding.h"

namespace wolumetr::fuzz {
namespace {

constexpr const char* kPath = "C:\\Program Files\\Wolumetr\\wolumetr.ini";
// What a read gives for an absent key: no stored value can hold a line break.
constexpr std::string_view kAbsent = "\n";

struct Key {
  std::string section;
  std::string name;
};

// Names match as the profile functions match them: ASCII letters in either case.
constexpr auto SameName = EqualIgnoringAsciiCase;

bool SameKey(const Key& a, const Key& b) { return SameName(a.section, b.section) && SameName(a.name, b.name); }

std::string Describe(const Key& key) { return "[" + key.section + "] " + key.name; }

// Every key the program reads, and two slots next to the drive list that nothing may touch.
std::vector<Key> ProgramKeys() {
  std::vector<Key> keys;
  ForEachSetting([&](const auto& setting) {
    keys.push_back({std::string(setting.section), std::string(setting.key)});
  });
  keys.insert(keys.end() - kDriveSlotCount, {"Dyski", "Dysk0"});
  keys.push_back({"Dyski", "Dysk19"});
  return keys;
}

std::vector<std::string> Snapshot(MemorySettingsStore& store, const std::vector<Key>& keys) {
  SettingsFile file(store, kPath);
  std::vector<std::string> values;
  for (const Key& key : keys) values.push_back(file.ReadText(key.section, key.name, kAbsent));
  return values;
}

// The file split into lines the plain way, to judge the edits with: lines end at CR LF, LF or CR.
struct RawLine {
  std::string_view text;
  std::string_view eol;
};
struct RawFile {
  std::string_view bom;
  std::vector<RawLine> lines;
};

RawFile Split(std::string_view bytes) {
  RawFile file;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    file.bom = bytes.substr(0, 3);
    bytes.remove_prefix(3);
  }
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      file.lines.push_back({bytes, {}});
      break;
    }
    const std::size_t eol = bytes.substr(end, 2) == "\r\n" ? 2 : 1;
    file.lines.push_back({bytes.substr(0, end), bytes.substr(end, eol)});
    bytes.remove_prefix(end + eol);
  }
  return file;
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// What a line is: the section it opens, or the key of its entry with the raw value (none when
// the line has no '=').
struct LineMeaning {
  std::optional<std::string_view> section;
  std::optional<std::string_view> key;
  std::optional<std::string_view> value;
};

LineMeaning Meaning(std::string_view text) {
  const std::string_view t = Trim(text);
  if (t.empty() || t.front() == ';' || t.front() == '#') return {};
  if (t.front() == '[') {
    const std::size_t close = t.rfind(']');
    if (close == std::string_view::npos) return {};
    return {UpToNul(Trim(t.substr(1, close - 1))), {}, {}};
  }
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return {{}, UpToNul(t), {}};
  return {{}, UpToNul(Trim(t.substr(0, eq))), t.substr(eq + 1)};
}

// The lines an edit of the `owned` keys must leave alone: all but their entries in the first
// occurrence of their sections, and headers the edit added (`added_sections`, at the end).
std::string Untouchable(const RawFile& file, const std::vector<Key>& owned,
                        const std::vector<std::string_view>& added_sections) {
  std::string kept(file.bom);
  std::vector<std::string_view> opened;
  std::string_view section;
  bool first_occurrence = false;
  for (const RawLine& line : file.lines) {
    const LineMeaning meaning = Meaning(line.text);
    bool mine = false;
    if (meaning.section) {
      section = *meaning.section;
      first_occurrence = true;
      for (std::string_view name : opened) first_occurrence = first_occurrence && !SameName(name, section);
      opened.push_back(section);
      for (std::string_view name : added_sections) mine = mine || (first_occurrence && SameName(name, section));
    }
    for (const Key& key : owned) {
      mine = mine ||
             (first_occurrence && meaning.key && SameName(key.section, section) && SameName(key.name, *meaning.key));
    }
    if (!mine) {
      kept += line.text;
      kept += line.eol;
    }
  }
  return kept;
}

// Judged on the text the program reads from `before` and `after`: a UTF-16 file keeps its
// encoding and its odd last byte, and the lines decoded from it.
void ExpectUntouched(std::string_view before, std::string_view after, const std::vector<Key>& owned,
                     const std::string& operation) {
  const DecodedText decoded_before = DecodeText(before);
  const DecodedText decoded_after = DecodeText(after);
  if (decoded_before.encoding != decoded_after.encoding) Fail(operation + " changes the file's encoding");
  if (decoded_before.tail != decoded_after.tail) Fail(operation + " changes the odd last byte of a UTF-16 file");
  const RawFile a = Split(decoded_before.utf8);
  const RawFile b = Split(decoded_after.utf8);
  if (a.bom != b.bom) Fail(operation + " changes the byte-order mark");
  // Sections the edit had to add: none of their headers was there before.
  std::vector<std::string_view> added;
  for (const Key& key : owned) {
    bool present = false;
    for (const RawLine& line : a.lines) {
      const LineMeaning meaning = Meaning(line.text);
      present = present || (meaning.section && SameName(*meaning.section, key.section));
    }
    if (!present) added.push_back(key.section);
  }
  // Compared as bytes: removing a line between a CR and an empty LF line joins the two into
  // one CR LF, and that is still the same bytes.
  const std::string kept_a = Untouchable(a, owned, {});
  const std::string kept_b = Untouchable(b, owned, added);
  if (kept_a == kept_b) return;
  // Only the last line can lack an ending, and an entry after it has to give it one.
  const bool open_end = !a.lines.empty() && a.lines.back().eol.empty();
  for (std::string_view eol : {"\r\n", "\n", "\r"}) {
    if (open_end && kept_b.size() == kept_a.size() + eol.size() && kept_b.starts_with(kept_a) &&
        kept_b.ends_with(eol)) {
      return;
    }
  }
  std::size_t at = 0;
  while (at < kept_a.size() && at < kept_b.size() && kept_a[at] == kept_b[at]) ++at;
  const std::size_t from = at > 20 ? at - 20 : 0;
  Fail(operation + " changes the lines that are not its own: " + Quoted(std::string_view(kept_a).substr(from, 60)) +
       " became " + Quoted(std::string_view(kept_b).substr(from, 60)));
}

// Text as the program's windows hand it over (converted from UTF-16 by the system): valid UTF-8,
// a lone surrogate as the decoder carries it turned into one U+FFFD, as is any other byte that
// starts no valid sequence. Only such text is ever written into a UTF-16 file.
std::string AsWindowText(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    if (lead < 0x80) length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    bool whole = length != 0 && at + length <= text.size();
    for (std::size_t i = 1; whole && i < length; ++i) whole = (static_cast<unsigned char>(text[at + i]) & 0xC0) == 0x80;
    const auto second = whole && length > 1 ? static_cast<unsigned char>(text[at + 1]) : 0x80;
    const bool surrogate = lead == 0xED && second >= 0xA0;
    // The second byte also rules out overlong forms and code points past U+10FFFF.
    const bool valid = whole && !surrogate && !(lead == 0xE0 && second < 0xA0) && !(lead == 0xF0 && second < 0x90) &&
                       !(lead == 0xF4 && second >= 0x90);
    if (valid) out += text.substr(at, length);
    if (!valid) out += "\xEF\xBF\xBD";
    at += valid || surrogate ? length : 1;
  }
  return out;
}

// Values for the writes, picked from the file's bytes so that the fuzzer steers them too.
class Choices {
 public:
  explicit Choices(std::string_view bytes) {
    for (char c : bytes) state_ = (state_ ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  }
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
  bool Flag() { return Below(2) == 1; }
  std::int32_t Number(std::int32_t usual) {
    switch (Below(6)) {
      case 0: return usual;
      case 1: return 0;
      case 2: return -1;
      case 3: return std::numeric_limits<std::int32_t>::min();
      case 4: return std::numeric_limits<std::int32_t>::max();
      default: return static_cast<std::int32_t>(static_cast<std::uint32_t>(Next()));
    }
  }

 private:
  std::uint64_t Next() {  // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::uint64_t state_ = 14695981039346656037ULL;
};

struct Operation {
  std::string name;
  std::vector<Key> owned;
  std::vector<std::string> expected;  // what each owned key reads afterwards (kAbsent: gone)
  std::function<void(SettingsFile&)> write;
};

// One writing operation as the program runs it: its own accessor, one commit. Run twice: the
// second, identical save must keep to the same rules. A save that only replaces lines in place
// (`stable`) finds nothing to write then; the drive list may move its own lines on a repeat,
// because its rewrite takes the keys out before it puts them back.
void RunOperation(MemorySettingsStore& store, const Operation& op, const std::vector<Key>& program_keys, bool stable) {
  std::vector<std::string> read_before = Snapshot(store, program_keys);
  for (int round = 0; round < 2; ++round) {
    const std::string name = round == 0 ? op.name : op.name + " repeated";
    const std::string before = store.Content(kPath).value_or("");
    const int writes = store.replace_count();
    {
      SettingsFile file(store, kPath);
      op.write(file);
      file.Commit();
    }
    const std::string after = store.Content(kPath).value_or("");
    Expect(store.replace_count() == writes + (after != before ? 1 : 0),
           "a save writes the file more than once, or for nothing");
    if (round == 1 && stable && after != before) {
      Fail(name + " turns " + Quoted(before) + " into " + Quoted(after));
    }
    ExpectUntouched(before, after, op.owned, name);

    const std::vector<std::string> read_after = Snapshot(store, program_keys);
    for (std::size_t i = 0; i < program_keys.size(); ++i) {
      bool owned = false;
      for (const Key& key : op.owned) owned = owned || SameKey(key, program_keys[i]);
      if (!owned && read_after[i] != read_before[i]) {
        Fail(name + " changes what " + Describe(program_keys[i]) + " reads: " + Quoted(read_before[i]) + " became " +
             Quoted(read_after[i]));
      }
    }
    const std::vector<std::string> now = Snapshot(store, op.owned);
    for (std::size_t i = 0; i < op.owned.size(); ++i) {
      if (now[i] != op.expected[i]) {
        Fail(name + ": " + Describe(op.owned[i]) + " reads " + Quoted(now[i]) + ", not " + Quoted(op.expected[i]));
      }
    }
    read_before = read_after;
  }
}

// Start-up, the tiles, the display mode and the Drive selection window, read as the program
// reads them. Returns the drive selection rows.
DriveRows ReadAsTheProgramDoes(MemorySettingsStore& store) {
  {
    SettingsFile file(store, kPath);
    const OptionsRecord s = ReadStartupSettings(file);
    Expect(s.rememberPosition || (s.left == 10 && s.top == 10), "a position is read without position memory");
  }
  {
    SettingsFile file(store, kPath);
    Expect(ReadDisplayMode(file) <= 2, "a display mode outside the three");
  }
  {
    SettingsFile file(store, kPath);
    for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
      std::optional<std::string> stored = ReadDriveSlot(file, slot);
      if (!stored) continue;
      const std::string value = AsciiLower(std::move(*stored));
      const std::uint8_t drive = DriveNumberOf(value);
      const std::string letter = DriveLetterText(value);
      Expect(letter.size() <= value.size(), "a drive letter text longer than its slot");
      if (drive != 0) {
        Expect(drive >= 3 && drive <= 26, "a drive number outside C: to Z:");
        Expect(SameName(RootPathOf(drive), value), "a drive number that is not the slot's drive");
        Expect(letter == RootPathOf(drive).substr(0, 1), "a drive letter text that is not the drive's letter");
      }
    }
  }
  SettingsFile file(store, kPath);
  return LoadDriveSlots(file);
}

// A plain set and remove of one key on the document, judged line by line.
void SetAndRemove(const DecodedText& file, const Key& key, const std::string& value,
                  const std::vector<Key>& program_keys) {
  const std::string& bytes = file.utf8;
  const IniDocument original = IniDocument::Parse(bytes);
  IniDocument doc = original;
  bool changed = false;
  try {
    changed = doc.Set(key.section, key.name, value);
  } catch (const std::invalid_argument&) {
    Expect(doc.Serialize() == bytes, "a refused name still changes the file");
    return;
  }
  const std::string set = doc.Serialize();
  Expect(changed == (set != bytes), "setting a key misreports whether the file changed");
  // A UTF-16 file written and read again gives back the text that was meant.
  if (DecodeText(EncodeText({file.encoding, set, file.tail})).utf8 != set) {
    Fail("setting " + Describe(key) + " to " + Quoted(value) + " writes a file that reads back differently");
  }
  // Judged on the text as written, read anew.
  const IniDocument written = IniDocument::Parse(set);
  const std::optional<std::string> read = written.Get(key.section, key.name);
  if (value.size() <= IniDocument::kMaxValueLength) {
    if (read != value) {
      Fail("setting " + Describe(key) + " to " + Quoted(value) + " reads back " + Quoted(read.value_or("")));
    }
  } else {
    Expect(read && read->size() <= IniDocument::kMaxValueLength && value.compare(0, read->size(), *read) == 0,
           "a long value does not read back as its start");
  }
  ExpectUntouched(bytes, set, {key}, "setting " + Describe(key));
  for (const Key& other : program_keys) {
    if (!SameKey(other, key) && written.Get(other.section, other.name) != original.Get(other.section, other.name)) {
      Fail("setting " + Describe(key) + " changes what " + Describe(other) + " reads");
    }
  }
  Expect(doc.Remove(key.section, key.name), "a key just set cannot be removed");
  Expect(!doc.Remove(key.section, key.name), "a removed key is removed again");
  const std::string removed = doc.Serialize();
  Expect(!IniDocument::Parse(removed).Get(key.section, key.name), "a removed key still reads");
  ExpectUntouched(bytes, removed, {key}, "setting and removing " + Describe(key));
}

}  // namespace

void CheckSettingsFile(std::string_view bytes) {
  const std::vector<Key> program_keys = ProgramKeys();
  // Any bytes decode without loss, a UTF-16 file's lone surrogates and odd last byte included.
  const DecodedText decoded = DecodeText(bytes);
  Expect(EncodeText(decoded) == bytes, "a file decoded and encoded again is altered");
  const bool utf16 = decoded.encoding != TextEncoding::Utf8;
  const std::string_view text = decoded.utf8;
  Expect(IniDocument::Parse(text).Serialize() == text, "a file read and written back unchanged is altered");
  // What the program writes comes from its windows: into a UTF-16 file, valid UTF-8 only.
  const auto writable = [utf16](std::string_view value) { return utf16 ? AsWindowText(value) : std::string(value); };

  // Names and raw values found in the file, for the writes to reuse.
  std::vector<Key> file_keys;
  std::vector<std::string> file_values;
  {
    std::string section;
    for (const RawLine& line : Split(text).lines) {
      const LineMeaning meaning = Meaning(line.text);
      if (meaning.section) section = std::string(*meaning.section);
      if (meaning.key) {
        file_keys.push_back({section.empty() ? "Dyski" : section, std::string(*meaning.key)});
        // As the Drive selection window could show it: nothing after a NUL is ever read.
        if (meaning.value) file_values.push_back(writable(UpToNul(*meaning.value)));
      }
    }
  }

  // A file that exists but cannot be read: defaults, and never replaced.
  {
    MemorySettingsStore locked;
    locked.Put(kPath, std::string(bytes));
    locked.SetFailReads(true);
    SettingsFile file(locked, kPath);
    Expect(SavedOptionsText(ReadStartupSettings(file)) == SavedOptionsText(DefaultOptions()),
           "an unreadable file does not give the defaults");
    WriteRememberedPosition(file, 1, 2);
    bool refused = false;
    try {
      file.Commit();
    } catch (const SettingsWriteError&) {
      refused = true;
    }
    Expect(refused && locked.Content(kPath) == std::string(bytes), "an unreadable file is replaced");
  }

  MemorySettingsStore store;
  store.Put(kPath, std::string(bytes));
  const DriveRows rows = ReadAsTheProgramDoes(store);
  Choices choose(bytes);

  // The close with position memory, first on a folder that refuses writes.
  const std::int32_t left = choose.Number(10);
  const std::int32_t top = choose.Number(10);
  Operation close{"the close",
                  {{"Polozenie", "Zapamietaj pol"}, {"Polozenie", "Polozenie X"}, {"Polozenie", "Polozenie Y"}},
                  {"1", FormatNumber(left), FormatNumber(top)},
                  [=](SettingsFile& file) { WriteRememberedPosition(file, left, top); }};
  store.SetFailWrites(true);
  try {
    SettingsFile file(store, kPath);
    close.write(file);
    file.Commit();
  } catch (const SettingsWriteError&) {
  }
  Expect(store.Content(kPath) == std::string(bytes), "a refused write changes the file");
  store.SetFailWrites(false);
  RunOperation(store, close, program_keys, true);

  // The Options save: each value kept as read or chosen anew.
  OptionsRecord values = [&] {
    SettingsFile file(store, kPath);
    return ReadStartupSettings(file);
  }();
  std::vector<Key> owned;
  std::vector<std::string> expected;
  ForEachOptionsSetting([&](const auto& setting) {
    auto& value = values.*setting.member;
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, bool>) {
      value = choose.Flag() ? value : !value;
    } else {
      value = choose.Number(value);
    }
    owned.push_back({std::string(setting.section), std::string(setting.key)});
    expected.push_back(std::to_string(value));  // a flag as 1 or 0
  });
  Operation options{"the Options save", owned, expected, [=](SettingsFile& file) { WriteOptions(file, values); }};
  RunOperation(store, options, program_keys, true);

  // The drive-list save, with rows kept, emptied, chosen or taken from other lines.
  DriveRows chosen = rows;
  for (std::string& row : chosen) {
    row = writable(row);
    switch (choose.Below(6)) {
      case 3: row = std::string(kNoDriveText); break;
      case 4: row = choose.Flag() ? "C:\\" : "z:\\"; break;
      case 5:
        if (!file_values.empty()) {
          const std::string& value = file_values[choose.Below(file_values.size())];
          if (value.size() <= IniDocument::kMaxValueLength) row = value;
        }
        break;
      default: break;
    }
  }
  Operation drives{"the drive-list save", {}, {}, [=](SettingsFile& file) { RewriteDriveList(file, chosen); }};
  std::vector<std::string> listed;
  std::copy_if(chosen.begin(), chosen.end(), std::back_inserter(listed),
               [](const std::string& row) { return row != kNoDriveText; });
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
    drives.owned.push_back({std::string(kDriveSection), std::string(DriveSlot(slot).key)});
    const auto index = static_cast<std::size_t>(slot - 1);
    drives.expected.push_back(index < listed.size() ? listed[index] : std::string(kAbsent));
  }
  RunOperation(store, drives, program_keys, false);
  {
    SettingsFile file(store, kPath);
    const DriveRows loaded = LoadDriveSlots(file);
    for (std::size_t i = 0; i < loaded.size(); ++i) {
      const bool listed_row = i < listed.size() && listed[i] != kEmptySlotValue;
      Expect(loaded[i] == (listed_row ? listed[i] : std::string(kNoDriveText)),
             "the saved drive list loads differently");
    }
  }

  // Sets and removes of a key named in the file (or one of the program's), on the original: every
  // awkward value, and one of the file's own.
  const Key key = !file_keys.empty() && choose.Flag() ? file_keys[choose.Below(file_keys.size())]
                                                      : program_keys[choose.Below(program_keys.size())];
  std::vector<std::string> samples = {
      "", " padded ", "\t", "\"quoted\"", "ends in CR\r", "\"", "0", std::string(3000, 'x')};
  if (!file_values.empty()) samples.push_back(file_values[choose.Below(file_values.size())]);
  for (const std::string& value : samples) SetAndRemove(decoded, key, value, program_keys);
}

}  // namespace wolumetr::fuzz
