// Hand-edited settings files read by our reader and by the system's profile functions
// (GetPrivateProfileStringW), through which people's existing files were read until now: every
// key the program reads must come out the same, and must still do so after the program saves.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/ascii.h"
#include "settings/file_settings_store.h"
#include "settings/settings_file.h"
#include "settings/settings_schema.h"
#include "settings/text_encoding.h"
#include "win/text.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

struct Key {
  std::string section;
  std::string name;
  bool operator==(const Key&) const = default;
};

// Every key the program reads.
const std::vector<Key>& ProgramKeys() {
  static const std::vector<Key> keys = [] {
    std::vector<Key> all;
    ForEachSetting([&](const auto& setting) {
      all.push_back({std::string(setting.section), std::string(setting.key)});
    });
    return all;
  }();
  return keys;
}

std::string Describe(const Key& key) { return key.section + "/" + key.name; }

using Reading = std::vector<std::optional<std::string>>;  // per program key; nullopt: absent

constexpr char kAbsent[] = "\x01(absent)";
constexpr wchar_t kAbsentW[] = L"\x01(absent)";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string Ansi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

// The comparison turns the profile functions' reading of a file without a byte-order mark back
// into the file's bytes, one character for one byte.
bool SingleByteAnsi() {
  CPINFO info{};
  return GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
}

bool Utf16(std::string_view bytes) { return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"); }

// What the profile functions read, turned into what our reader gives: UTF-8 for a file with a
// byte-order mark (UTF-8 or UTF-16), the ANSI code page (one byte per character here) otherwise.
Reading ReadThroughApi(const TempFolder& folder, const std::string& bytes) {
  static int copies = 0;
  // A fresh name for every read: the profile functions keep recently read files in memory.
  const std::wstring name = L"api-" + std::to_wstring(++copies) + L".ini";
  folder.Write(name, bytes);
  const std::wstring path = folder.File(name);
  const bool utf8 = bytes.starts_with(kBom) || Utf16(bytes);
  Reading reading;
  for (const Key& key : ProgramKeys()) {
    std::wstring buffer(2048, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(win::Widen(key.section).c_str(), win::Widen(key.name).c_str(), kAbsentW, buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path.c_str());
    buffer.resize(length);
    reading.push_back(buffer == kAbsentW ? std::nullopt
                                         : std::optional<std::string>(utf8 ? win::Narrow(buffer) : Ansi(buffer)));
  }
  return reading;
}

Reading ReadThroughOurs(const std::string& path) {
  win::FileSettingsStore store;
  SettingsFile file(store, path);
  Reading reading;
  for (const Key& key : ProgramKeys()) {
    std::string value = file.ReadText(key.section, key.name, kAbsent);
    reading.push_back(value == kAbsent ? std::nullopt : std::optional<std::string>(std::move(value)));
  }
  return reading;
}

std::string Show(const std::optional<std::string>& value) {
  if (!value) return "(absent)";
  std::string out = "\"";
  for (const char c : value->substr(0, 60)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else {
      const char digits[] = "0123456789ABCDEF";
      out += std::string("\\x") + digits[byte >> 4] + digits[byte & 15];
    }
  }
  return out + (value->size() > 60 ? "...\" (" + std::to_string(value->size()) + " bytes)" : "\"");
}

// Compared whole; shown shortened.
void ExpectSame(const std::optional<std::string>& a, const std::optional<std::string>& b, const std::string& what) {
  EXPECT_TRUE(a == b) << what << ": " << Show(a) << " and " << Show(b);
}

// A key on which we keep our own reading, what we read there, and why.
struct Kept {
  Key key;
  std::optional<std::string> ours;
  const char* why;
};

void ExpectSameReading(const Reading& ours, const Reading& api, const std::vector<Kept>& kept) {
  for (std::size_t i = 0; i < ProgramKeys().size(); ++i) {
    const Key& key = ProgramKeys()[i];
    const auto difference = std::find_if(kept.begin(), kept.end(), [&key](const Kept& k) { return k.key == key; });
    if (difference != kept.end()) {
      ExpectSame(ours[i], difference->ours, Describe(key) + " (" + difference->why + "), ours and expected");
      EXPECT_FALSE(api[i] == ours[i]) << Describe(key) << ": no longer differs (" << difference->why << ")";
    } else {
      ExpectSame(ours[i], api[i], Describe(key) + ", ours and the profile functions'");
    }
  }
}

struct Line {
  std::string text;
  std::string eol;
};

// Lines end at CR LF, LF or CR.
std::vector<Line> Lines(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back({std::string(bytes), {}});
      break;
    }
    const std::size_t eol = bytes.substr(end, 2) == "\r\n" ? 2 : 1;
    lines.push_back({std::string(bytes.substr(0, end)), std::string(bytes.substr(end, eol))});
    bytes.remove_prefix(end + eol);
  }
  return lines;
}

bool Mentions(std::string_view text, std::string_view name) {
  const auto same = [](char a, char b) { return AsciiLower(a) == AsciiLower(b); };
  return std::search(text.begin(), text.end(), name.begin(), name.end(), same) != text.end();
}

// A save may change only the lines of the keys it writes and add the headers of their
// sections; every other byte of the file stays, in its order.
void ExpectOtherLinesKept(const std::string& before, const std::string& after, const std::vector<Key>& written) {
  const auto others = [&](std::string_view bytes) {
    std::string kept;
    if (bytes.starts_with(kBom)) {
      kept += kBom;
      bytes.remove_prefix(kBom.size());
    }
    for (const Line& line : Lines(bytes)) {
      bool own = false;
      for (const Key& key : written) own = own || Mentions(line.text, key.name) || line.text == "[" + key.section + "]";
      if (!own) kept += line.text + line.eol;
    }
    return kept;
  };
  const std::string a = others(before);
  const std::string b = others(after);
  // A last line without an ending gains one when something is added after it.
  const bool open_end = !before.empty() && before.back() != '\n' && before.back() != '\r';
  if (b == a || (open_end && (b == a + "\r\n" || b == a + "\n" || b == a + "\r"))) return;
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  const std::size_t from = at > 20 ? at - 20 : 0;
  ADD_FAILURE() << "other lines changed at byte " << at << ": " << Show(a.substr(from, 60)) << " became "
                << Show(b.substr(from, 60));
}

// The program's writing operations, in the order a user might run them.
struct Save {
  const char* name;
  std::vector<std::pair<Key, std::optional<std::string>>> result;  // what each written key reads afterwards
  void (*write)(SettingsFile&) = nullptr;                          // none: the keys of the result written in its order
};

const std::vector<Save>& Saves() {
  static const std::vector<Save> saves = {
      {"the close",
       {{{"Polozenie", "Zapamietaj pol"}, "1"},
        {{"Polozenie", "Polozenie X"}, "412"},
        {{"Polozenie", "Polozenie Y"}, "-30"}}},
      {"the Options save",
       {{{"Wyglad", "Przezroczystosc"}, "0"},
        {{"Wyglad", "Poziomprzezr"}, "200"},
        {{"Wyglad", "Na wierzchu"}, "1"},
        {{"Polozenie", "Zapamietaj pol"}, "0"},
        {{"Polozenie", "Polozenie X"}, "5"},
        {{"Polozenie", "Polozenie Y"}, "6"},
        {{"Polozenie", "Pasek"}, "2"},
        {{"Program", "Ilosc kolumn"}, "3"},
        {{"Program", "Ilosc wierszy"}, "1"},
        {{"Program", "Autoodswierzanie"}, "0"},
        {{"Program", "Czas odswierzania"}, "30"}}},
      {"the drive-list save",
       [] {
         std::vector<std::pair<Key, std::optional<std::string>>> result = {{{"Dyski", "Dysk1"}, "D:\\"},
                                                                           {{"Dyski", "Dysk2"}, "C:\\"}};
         for (int slot = 3; slot <= 18; ++slot) result.push_back({{"Dyski", "Dysk" + std::to_string(slot)}, {}});
         return result;
       }(),
       [](SettingsFile& file) {
         // As the Drive selection window rewrites its list: every slot out, the chosen ones back.
         const char* const chosen[] = {"D:\\", "C:\\"};
         for (int slot = 1; slot <= 18; ++slot) {
           file.RemoveKey("Dyski", "Dysk" + std::to_string(slot));
           if (slot <= 2) file.WriteText("Dyski", "Dysk" + std::to_string(slot), chosen[slot - 1]);
         }
       }},
  };
  return saves;
}

// The file read both ways; then each save, after which the saved keys read as written, every
// other key as before, both ways, and the other lines are kept.
void Check(const std::string& bytes, const std::vector<Kept>& kept) {
  TempFolder folder;
  const std::string path = win::Narrow(folder.File(L"wolumetr.ini"));
  folder.Write(L"wolumetr.ini", bytes);
  Reading ours = ReadThroughOurs(path);
  Reading api = ReadThroughApi(folder, bytes);
  ExpectSameReading(ours, api, kept);

  for (const Save& save : Saves()) {
    SCOPED_TRACE(save.name);
    const std::string before = folder.Read(L"wolumetr.ini").value_or("");
    {
      win::FileSettingsStore store;
      SettingsFile file(store, path);
      if (save.write != nullptr) {
        save.write(file);
      } else {
        for (const auto& [key, value] : save.result) file.WriteText(key.section, key.name, *value);
      }
      file.Commit();
    }
    const std::string after = folder.Read(L"wolumetr.ini").value_or("");
    const Reading ours_after = ReadThroughOurs(path);
    const Reading api_after = ReadThroughApi(folder, after);
    std::vector<Key> written;
    for (std::size_t i = 0; i < ProgramKeys().size(); ++i) {
      const Key& key = ProgramKeys()[i];
      const auto result = std::find_if(save.result.begin(), save.result.end(),
                                       [&key](const auto& entry) { return entry.first == key; });
      if (result != save.result.end()) {
        written.push_back(key);
        ExpectSame(ours_after[i], result->second, Describe(key) + " as we read it, and as written");
        ExpectSame(api_after[i], result->second, Describe(key) + " as the profile functions read it, and as written");
      } else {
        ExpectSame(ours_after[i], ours[i], Describe(key) + " as we read it, after and before");
        ExpectSame(api_after[i], api[i], Describe(key) + " as the profile functions read it, after and before");
      }
    }
    // UTF-16 files are judged in the text our reader works on.
    ExpectOtherLinesKept(DecodeText(before).utf8, DecodeText(after).utf8, written);
    ours = ours_after;
    api = api_after;
  }
}

struct Shape {
  const char* name;
  std::string bytes;
  std::vector<Kept> kept = {};
};

// The program's own file, in the line ending given.
std::string OwnFile(const std::string& eol) {
  std::string out;
  for (const char* line :
       {"[Dyski]", "Dysk1=C:\\", "Dysk2=D:\\", "[Wyglad]", "Przezroczystosc=1", "Poziomprzezr=190", "Na wierzchu=0",
        "[Polozenie]", "Zapamietaj pol=1", "Polozenie X=412", "Polozenie Y=300", "Pasek=0", "[Program]",
        "Ilosc kolumn=2", "Ilosc wierszy=1", "Autoodswierzanie=1", "Czas odswierzania=5"}) {
    out += line + eol;
  }
  return out;
}

std::string WithNul(std::string text) {
  std::replace(text.begin(), text.end(), '@', '\0');
  return text;
}

std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// `utf8` in UTF-16, little-endian unless `bigEndian`.
std::string Utf16Bytes(const std::string& utf8, bool bigEndian = false) {
  std::string out;
  for (const wchar_t unit : win::Widen(utf8)) {
    out += static_cast<char>(bigEndian ? unit >> 8 : unit & 0xFF);
    out += static_cast<char>(bigEndian ? unit & 0xFF : unit >> 8);
  }
  return out;
}

const char kNotUtf8[] =
    "the profile functions put U+FFFD for bytes that are not UTF-8 after a byte-order mark, we keep them";
const char kSplitCut[] = "the profile functions cut a long value inside a UTF-8 character, we cut before it";

std::vector<Shape> Shapes() {
  const std::string long_value(5000, 'x');
  return {
      {"the program's own file, CR LF", OwnFile("\r\n")},
      {"the program's own file, LF", OwnFile("\n")},
      {"the program's own file, CR", OwnFile("\r")},
      {"mixed line endings", "[Dyski]\r\nDysk1=C:\\\nDysk2=D:\\\r[Program]\n\rIlosc kolumn=3\r\n\nIlosc wierszy=2\r"},
      {"no ending on the last line", "[Polozenie]\r\nPasek=2"},
      {"a line break inside what looks like one line", "[Dyski]\nDysk1=C:\\\rDysk2=D:\\\n"},
      {"a UTF-8 byte-order mark", std::string(kBom) + OwnFile("\r\n")},
      {"a byte-order mark, then blanks", std::string(kBom) + "  \t[Program]\r\nIlosc kolumn=3\r\n"},
      {"two byte-order marks", std::string(kBom) + std::string(kBom) +
                                   "[Program]\r\nIlosc kolumn=3\r\n[Wyglad]\r\n"
                                   "Poziomprzezr=1\r\n"},
      {"only a byte-order mark", std::string(kBom)},
      {"an empty file", ""},
      {"blanks and tabs around names, values and =",
       "  [Program]  \r\n  Ilosc kolumn \t=\t 4 \t\r\n\tIlosc wierszy=  2\r\nAutoodswierzanie  =0\r\n"},
      {"vertical tab, form feed and Ctrl-Z as blanks",
       "[\x0bProgram\x1a]\r\n\x0cIlosc kolumn\x0b=\x1a"
       "4\x0c\r\nIlosc wierszy=\x0b\r\n"},
      {"Ctrl-Z at the end of the file", "[Program]\r\nIlosc kolumn=4\r\n\x1a"},
      {"blanks inside the brackets", "[ Program ]\r\nIlosc kolumn=4\r\n[\tDyski\t]\r\nDysk1=C:\\\r\n"},
      {"names in other letter case", "[PROGRAM]\r\nilosc KOLUMN=4\r\n[dyski]\r\nDYSK1=c:\\\r\n"},
      {"double quotes", "[Program]\r\nIlosc kolumn=\"4\"\r\n[Dyski]\r\nDysk1=\"C:\\\"\r\n"},
      {"single quotes", "[Program]\r\nIlosc kolumn='4'\r\n[Dyski]\r\nDysk1='C:\\'\r\n"},
      {"quoted blanks", "[Dyski]\r\nDysk1=\" C:\\ \"\r\nDysk2=' D:\\'\r\nDysk3=\"\t\"\r\n"},
      {"a quote at one end only",
       "[Dyski]\r\nDysk1=\"C:\\\r\nDysk2=D:\\'\r\nDysk3='E:\\\"\r\nDysk4=\"F:\\'\r\n[Program]\r\nIlosc kolumn=\"4\r\n"},
      {"empty quotes and a lone quote", "[Dyski]\r\nDysk1=\"\"\r\nDysk2=''\r\nDysk3=\"\r\nDysk4='\r\n"},
      {"quotes inside a value", "[Dyski]\r\nDysk1=a\"b\"c\r\nDysk2=\"a\"b\"\r\nDysk3=\"'C:\\'\"\r\n"},
      {"blanks after the closing quote", "[Program]\r\nIlosc kolumn=\"4\"  \t\r\nIlosc wierszy= ' 2 ' \r\n"},
      {"comment lines",
       "; [Program]\r\n[Program]\r\n; Ilosc kolumn=1\r\n# Ilosc wierszy=1\r\nIlosc kolumn=4\r\n"
       ";Czas odswierzania\r\n"},
      {"a comment after a section header", "[Program] ; mine\r\nIlosc kolumn=4\r\n[Dyski]# drives\r\nDysk1=C:\\\r\n"},
      {"a comment after a value", "[Program]\r\nIlosc kolumn=4 ; four\r\n"},
      {"a duplicate key", "[Program]\r\nIlosc kolumn=4\r\nilosc kolumn=5\r\n[Dyski]\r\nDysk1=C:\\\r\nDysk1=D:\\\r\n"},
      {"a duplicate section",
       "[Program]\r\nIlosc kolumn=4\r\n[Dyski]\r\nDysk1=C:\\\r\n[Program]\r\nIlosc wierszy=2\r\n"
       "Ilosc kolumn=5\r\n"},
      {"a duplicate section in other letter case", "[dyski]\r\nDysk2=E:\\\r\n[Wyglad]\r\n[DYSKI]\r\nDysk1=C:\\\r\n"},
      {"an empty first occurrence of a section", "[Wyglad]\r\n[Program]\r\n[Wyglad]\r\nPoziomprzezr=100\r\n"},
      {"keys before any section", "Ilosc kolumn=4\r\nDysk1=C:\\\r\n[Program]\r\nIlosc wierszy=2\r\n"},
      {"a line without = before the key",
       "[Program]\r\nIlosc kolumn\r\nIlosc kolumn=4\r\n  Ilosc wierszy  \r\n"
       "Ilosc wierszy=2\r\n"},
      {"a line without = in a later duplicate", "[Dyski]\r\nDysk1=C:\\\r\n[Dyski]\r\nDysk2\r\n"},
      {"lines of other text", "[Program]\r\njunk line\r\nIlosc kolumn=4\r\n=no key\r\n = \r\n"},
      {"a header without its bracket", "[Program]\r\nIlosc kolumn=4\r\n[Dyski\r\nDysk1=C:\\\r\n"},
      {"text after the bracket", "[Program]x\r\nIlosc kolumn=4\r\n[Dyski]=y\r\nDysk1=C:\\\r\n"},
      {"brackets inside a header",
       "[Program]]\r\nIlosc kolumn=4\r\n[Dys]ki]\r\nDysk1=C:\\\r\n[Wyglad]\r\n"
       "[Wyglad] [x]\r\nPoziomprzezr=1\r\n"},
      {"empty headers", "[Program]\r\n[]\r\nIlosc kolumn=4\r\n[ ]\r\nIlosc wierszy=2\r\n"},
      {"inner blanks and quotes in names",
       "[Program]\r\nIlosc  kolumn=4\r\n\"Ilosc wierszy\"=2\r\nIlosc\tkolumn=5\r\n"},
      {"empty values", "[Program]\r\nIlosc kolumn=\r\n[Dyski]\r\nDysk1=\r\nDysk2 =  \r\n"},
      {"= inside a value", "[Dyski]\r\nDysk1=a=b\r\nDysk2==\r\n"},
      {"blank lines and blank-only lines", "\r\n \r\n[Program]\r\n\t\r\n\r\nIlosc kolumn=4\r\n   \r\n"},
      {"a very long value", "[Dyski]\r\nDysk1=" + long_value + "\r\nDysk2=D:\\\r\n"},
      {"values of 2047 and 2048 characters",
       "[Dyski]\r\nDysk1=" + std::string(2047, 'a') + "\r\nDysk2=" + std::string(2048, 'b') + "\r\n"},
      {"a quoted value of 2046 and 2048 characters",
       "[Dyski]\r\nDysk1=\"" + std::string(2046, 'a') + "\"\r\nDysk2=\"" + std::string(2048, 'b') + "\"\r\n"},
      {"a quoted value of 2047 characters",
       "[Dyski]\r\nDysk1=\"" + std::string(2047, 'a') + "\"\r\n",
       {{{"Dyski", "Dysk1"},
         std::string(2047, 'a'),
         "the profile functions lose the last character of a quoted value that just fills their buffer"}}},
      {"a line of 70000 characters", "[Dyski]\r\n" + std::string(70000, '=') + "\r\nDysk1=C:\\\r\n"},
      {"Polish letters in values, no byte-order mark", "[Dyski]\r\nDysk1=zażółć\r\nDysk2=C:\\\xC2\xA0\r\n"},
      {"Polish letters in values after a byte-order mark",
       std::string(kBom) + "[Dyski]\r\nDysk1=zażółć gęślą jaźń\r\nDysk2=\" ą \"\r\n"},
      {"Polish letters in names next to ours", "[Położenie]\r\nPasek=2\r\n[Polozenie]\r\nPołozenie X=1\r\nPasek=1\r\n"},
      {"NUL in a value", WithNul("[Dyski]\r\nDysk1=C:\\@junk\r\nDysk2= @x\r\nDysk3=\"D:\\@\"\r\n")},
      {"NUL in names", WithNul("[Dyski@x]\r\nDysk1@junk=C:\\\r\nDysk2 @=D:\\\r\n[ @Program]\r\nIlosc kolumn=4\r\n")},
      {"numbers in their other spellings",
       "[Wyglad]\r\nPoziomprzezr= $BE\r\nPrzezroczystosc=+0\r\n"
       "Na wierzchu=0x1\r\n"},
      {"a long value of Polish letters after a byte-order mark",
       std::string(kBom) + "[Dyski]\r\nDysk1=" + Repeat("ą", 1500) + "\r\n",
       {{{"Dyski", "Dysk1"},
         Repeat("ą", 1023),
         "we cut at 2047 bytes, the profile functions at 2047 UTF-16 characters"}}},
      {"a long value of Polish letters, no byte-order mark",
       "[Dyski]\r\nDysk1=" + Repeat("ą", 1500) + "\r\n",
       {{{"Dyski", "Dysk1"}, Repeat("ą", 1023), kSplitCut}}},
      {"bytes that are not UTF-8 after a byte-order mark",
       std::string(kBom) + "[Dyski]\r\nDysk1=C:\\\xFF\r\n",
       {{{"Dyski", "Dysk1"}, "C:\\\xFF", kNotUtf8}}},
      {"UTF-16, little-endian", Utf16Bytes("\uFEFF[Dyski]\r\nDysk1=ząb\r\n" + OwnFile("\r\n"))},
      {"UTF-16, big-endian", Utf16Bytes("\uFEFF[Program]\r\nIlosc kolumn = '4'\r\n[Dyski]\r\nDysk1=\" ś \"\r\n", true)},
      {"ASCII bytes after a UTF-16 byte-order mark", "\xFF\xFE\r\n[Program]\r\nIlosc kolumn=4\r\n"},
  };
}

TEST(ProfileApi, HandEditedFilesReadAsTheProfileFunctionsReadThem) {
  ASSERT_TRUE(SingleByteAnsi());
  const std::vector<Shape> shapes = Shapes();
  EXPECT_GE(shapes.size(), 40u);
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    Check(shape.bytes, shape.kept);
  }
}

// Files of the settings fuzzer's corpus on which we keep our own reading.
struct KeptInCorpus {
  const char* file;
  Kept kept;
};
const KeptInCorpus kCorpusDifferences[] = {
    {"5cbd641cc047d94b73ebf4f77115bed1478355b1",
     {{"Wyglad", "Poziomprzezr"},
      "+F=\xFF"
      "D",
      kNotUtf8}},
    {"f0cadb0ce42ac28ea7c71a15ebef2a1c107d4059", {{"Dyski", "Dysk1"}, "\xA0 c:\xFF\xFFz=warto\xC5\\  ", kNotUtf8}},
    {"long_value", {{"Dyski", "Dysk1"}, Repeat("\xC4\x85", 1023), kSplitCut}},
};

TEST(ProfileApi, FuzzCorpusReadsAsTheProfileFunctionsReadIt) {
  ASSERT_TRUE(SingleByteAnsi());
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(WOLUMETR_FUZZ_CORPUS_DIR "/settings_file")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const std::string file = entry.path().filename().string();
    SCOPED_TRACE(file);
    std::vector<Kept> kept;
    for (const KeptInCorpus& difference : kCorpusDifferences) {
      if (file == difference.file) kept.push_back(difference.kept);
    }
    std::ifstream in(entry.path(), std::ios::binary);
    Check(std::string(std::istreambuf_iterator<char>(in), {}), kept);
  }
  EXPECT_GE(files, 40u);
}

}  // namespace
}  // namespace wolumetr::test
