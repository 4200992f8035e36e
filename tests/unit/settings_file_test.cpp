#include <gtest/gtest.h>

#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "common/ascii.h"
#include "memory_settings_store.h"
#include "settings/leftover_files.h"
#include "settings/settings_file.h"
#include "settings/settings_schema.h"
#include "settings/text_encoding.h"

namespace {

using wolumetr::MemorySettingsStore;
using wolumetr::SettingsFile;
using wolumetr::SettingsWriteError;

TEST(SettingsFileRead, MissingFileGivesTheDefaults) {
  MemorySettingsStore store;
  SettingsFile file(store, kTestSettingsPath);
  EXPECT_EQ(store.load_count(), 0);  // opening touches nothing
  EXPECT_TRUE(file.ReadFlag("Wyglad", "Przezroczystosc", true));
  EXPECT_EQ(file.ReadNumber("Wyglad", "Poziomprzezr", 190), 190);
  EXPECT_FALSE(file.ReadFlag("Wyglad", "Na wierzchu", false));
  EXPECT_EQ(file.ReadText("Dyski", "Dysk1", "0"), "0");
  EXPECT_EQ(store.load_count(), 1);
}

TEST(SettingsFileRead, NumbersAndFlagsFallBackOnlyWhenTheTextDoesNotConvert) {
  MemorySettingsStore store;
  store.Put(kTestSettingsPath,
            "[W]\r\n"
            "two=2\r\nminus=-1\r\nzero=0\r\nword=tak\r\nempty=\r\nhex=$20\r\n"
            "padded= 190 \r\nunit=190px\r\nquoted=\"0x20\"\r\n");
  SettingsFile file(store, kTestSettingsPath);
  struct Case {
    const char* key;
    std::int32_t number;  // read with default 77
    bool flag_default_true;
    bool flag_default_false;
  } cases[] = {
      {"two", 2, true, true},     {"minus", -1, true, true},   {"zero", 0, false, false},   {"word", 77, true, false},
      {"empty", 77, true, false}, {"hex", 32, true, true},     {"padded", 190, true, true}, {"unit", 77, true, false},
      {"quoted", 32, true, true}, {"absent", 77, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(file.ReadNumber("w", c.key, 77), c.number) << c.key;
    EXPECT_EQ(file.ReadFlag("W", c.key, true), c.flag_default_true) << c.key;
    EXPECT_EQ(file.ReadFlag("W", c.key, false), c.flag_default_false) << c.key;
  }
}

TEST(SettingsFileCommit, WritesOnceAndOnlyWhenSomethingChanged) {
  MemorySettingsStore store;
  const std::string original = "[Polozenie]\r\nPolozenie X=5\r\n";
  store.Put(kTestSettingsPath, original);
  {
    SettingsFile file(store, kTestSettingsPath);
    file.ReadNumber("Polozenie", "Polozenie X", 10);
    file.RemoveKey("Dyski", "Dysk1");
    file.WriteNumber("Polozenie", "Polozenie X", 5);  // same value
    file.Commit();
  }
  EXPECT_EQ(store.replace_count(), 0);
  {
    SettingsFile file(store, kTestSettingsPath);
    file.WriteNumber("Polozenie", "Polozenie X", 412);
    EXPECT_EQ(file.ReadNumber("Polozenie", "Polozenie X", 10), 412);  // sees its own write
    EXPECT_EQ(store.Content(kTestSettingsPath), original);            // nothing on disk yet
    file.WriteFlag("Polozenie", "Zapamietaj pol", true);
    file.Commit();
    file.Commit();
  }
  EXPECT_EQ(store.replace_count(), 1);
  EXPECT_EQ(store.Content(kTestSettingsPath), "[Polozenie]\r\nPolozenie X=412\r\nZapamietaj pol=1\r\n");
  EXPECT_EQ(store.load_count(), 2);
}

TEST(SettingsFileCommit, NoFileAppearsWithoutACommittedWrite) {
  MemorySettingsStore store;
  {
    SettingsFile file(store, kTestSettingsPath);
    file.RemoveKey("Dyski", "Dysk1");
    file.Commit();
    file.WriteText("Dyski", "Dysk1", "C:\\");  // never committed
  }
  EXPECT_EQ(store.Content(kTestSettingsPath), std::nullopt);
}

TEST(SettingsFileCommit, FailedWriteLeavesTheFileAndNamesIt) {
  MemorySettingsStore store;
  const std::string original = "; mine\r\n[Dyski]\r\nDysk1=C:\\\r\n";
  store.Put(kTestSettingsPath, original);
  store.SetFailWrites(true);
  SettingsFile file(store, kTestSettingsPath);
  file.RemoveKey("Dyski", "Dysk1");
  file.WriteText("Dyski", "Dysk1", "D:\\");
  try {
    file.Commit();
    FAIL() << "Commit should have thrown";
  } catch (const SettingsWriteError& e) {
    EXPECT_STREQ(e.what(), "Unable to write to C:\\Wolumetr\\wolumetr.ini");
  }
  EXPECT_EQ(store.Content(kTestSettingsPath), original);
  // The edits are still pending, so a retry once the folder is writable succeeds.
  store.SetFailWrites(false);
  file.Commit();
  EXPECT_EQ(store.Content(kTestSettingsPath), "; mine\r\n[Dyski]\r\nDysk1=D:\\\r\n");
}

TEST(SettingsFileRead, AnUnreadableFileGivesDefaultsAndIsNeverOverwritten) {
  MemorySettingsStore store;
  const std::string original = "[Wyglad]\r\nPoziomprzezr=100\r\n[Inne]\r\nx=1\r\n";
  store.Put(kTestSettingsPath, original);
  store.SetFailReads(true);
  SettingsFile file(store, kTestSettingsPath);
  EXPECT_EQ(file.ReadNumber("Wyglad", "Poziomprzezr", 190), 190);
  file.WriteNumber("Polozenie", "Polozenie X", 5);
  EXPECT_THROW(file.Commit(), SettingsWriteError);
  EXPECT_EQ(store.Content(kTestSettingsPath), original);
}

TEST(SettingsFileLeftovers, OnlyOldTemporaryFilesOfThisSettingsFileAreLeftovers) {
  const struct {
    const char* name;
    std::int64_t ageSeconds;
    bool leftover;
  } cases[] = {
      {"wolumetr.ini.~1234.tmp", 61, true},          {"wolumetr.ini.~1234.tmp", 60, true},
      {"wolumetr.ini.~1234.tmp", 59, false},  // perhaps another instance saving right now
      {"wolumetr.ini.~1234.tmp", -5, false},  // a clock set back
      {"wolumetr.ini.~.tmp", 3600, false},           {"wolumetr.ini.~12a4.tmp", 3600, false},
      {"wolumetr.ini.~1234.tmp.bak", 3600, false},   {"wolumetr.ini", 3600, false},
      {"inny.ini.~1234.tmp", 3600, false},           {"wolumetr.ini.old.~1234.tmp", 3600, false},
      {"wolumetr.ini.~4321.tmp", 3600, false},        // its process still runs: a lagging clock
      {"wolumetr.ini.~99999999999.tmp", 3600, true},  // no process has that number
  };
  for (const auto& c : cases) {
    const auto running = [](std::uint32_t id) { return id == 4321; };
    EXPECT_EQ(wolumetr::IsLeftoverTemporary(c.name, "wolumetr.ini", c.ageSeconds, running), c.leftover)
        << c.name << " " << c.ageSeconds;
  }
}

// The bytes an editor writes for `text` saved as "Unicode" (or big-endian Unicode).
std::string Utf16File(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(SettingsFileEncoding, Utf16FilesAreReadAndWrittenBackAsTheyCame) {
  for (const bool big : {false, true}) {
    MemorySettingsStore store;
    store.Put(kTestSettingsPath,
              Utf16File(u"; żółw \U0001F600\r\n[Wyglad]\r\nPoziomprzezr=100\r\n[Dyski]\r\nDysk1=C:\\\r\n", big));
    SettingsFile file(store, kTestSettingsPath);
    EXPECT_EQ(file.ReadNumber("Wyglad", "Poziomprzezr", 190), 100) << big;
    EXPECT_EQ(file.ReadText("Dyski", "Dysk1", "0"), "C:\\");
    file.WriteNumber("Wyglad", "Poziomprzezr", 120);
    file.WriteFlag("Program", "Autoodswierzanie", true);
    file.Commit();
    EXPECT_EQ(store.Content(kTestSettingsPath),
              Utf16File(u"; żółw \U0001F600\r\n[Wyglad]\r\nPoziomprzezr=120\r\n[Dyski]\r\nDysk1=C:\\\r\n"
                        u"[Program]\r\nAutoodswierzanie=1\r\n",
                        big))
        << "one encoding in the file, never UTF-8 appended";
    // A pair as the file's last two units, with no line end after it, is still one character.
    EXPECT_EQ(wolumetr::DecodeText(Utf16File(u"k=\U0001F600", big)).utf8, "k=\xF0\x9F\x98\x80") << big;
  }
}

TEST(SettingsFileEncoding, EveryFileComesBackByteForByte) {
  const std::string cases[] = {
      "",
      "[W]\r\nk=v\r\n",
      "\xEF\xBB\xBF[W]\nk=v",
      "\xFF\xFE",
      Utf16File(u"[W]\r\nk=\xD800x\r\n;\xDC00", false),      // lone surrogates
      Utf16File(u"[W]\nk=\U0001F600\xD83D", true) + "\x41",  // and an odd last byte
      "\xFE\xFF\x00",
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(wolumetr::EncodeText(wolumetr::DecodeText(bytes)), bytes) << bytes.size();
  }
  // What the program writes beside such a line leaves the line's bytes as they were.
  MemorySettingsStore store;
  store.Put(kTestSettingsPath, Utf16File(u";\xD800\r\n[Wyglad]\r\n", false));
  SettingsFile file(store, kTestSettingsPath);
  file.WriteNumber("Wyglad", "Poziomprzezr", 1);
  file.Commit();
  EXPECT_EQ(store.Content(kTestSettingsPath), Utf16File(u";\xD800\r\n[Wyglad]\r\nPoziomprzezr=1\r\n", false));
}

// Every entry of the schema reads its default from an empty file, reads back each value written
// to it from a fresh accessor, and leaves every other entry at its default: no two entries share
// a key.
TEST(SettingsSchema, EveryEntryRoundTripsAndOwnsItsKey) {
  using namespace wolumetr;
  const bool flags[] = {true, false};
  const std::int32_t numbers[] = {-2147483647 - 1, -1, 0, 412, 2147483647};
  const std::string_view texts[] = {"C:\\", "", "[brak]"};
  std::vector<std::string> keys;
  const auto expect_defaults_except = [](SettingsFile& file, const std::string& written) {
    ForEachSetting([&](const auto& other) {
      if (std::string(other.section) + "/" + std::string(other.key) != written) {
        EXPECT_EQ(ReadSetting(file, other), other.byDefault) << other.key << " after writing " << written;
      }
    });
  };
  ForEachSetting([&](const auto& setting) {
    const std::string name = std::string(setting.section) + "/" + std::string(setting.key);
    keys.push_back(name);
    MemorySettingsStore store;
    {
      SettingsFile file(store, kTestSettingsPath);
      EXPECT_EQ(ReadSetting(file, setting), setting.byDefault) << name;
    }
    const auto round_trip = [&](const auto& value) {
      {
        SettingsFile file(store, kTestSettingsPath);
        WriteSetting(file, setting, value);
        file.Commit();
      }
      SettingsFile file(store, kTestSettingsPath);
      EXPECT_EQ(ReadSetting(file, setting), value) << name;
      expect_defaults_except(file, name);
    };
    using Value = std::decay_t<decltype(setting.byDefault)>;
    if constexpr (std::is_same_v<Value, bool>) {
      for (bool value : flags) round_trip(value);
    } else if constexpr (std::is_same_v<Value, std::int32_t>) {
      for (std::int32_t value : numbers) round_trip(value);
    } else {
      for (std::string_view value : texts) round_trip(value);
    }
    SettingsFile file(store, kTestSettingsPath);
    RemoveSetting(file, setting);
    EXPECT_EQ(ReadSetting(file, setting), setting.byDefault) << name << " removed";
  });
  for (std::string& key : keys) key = AsciiLower(std::move(key));
  EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), keys.size()) << "two entries share a key";
}

}  // namespace
