#include "settings/drive_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_drives.h"
#include "memory_settings_store.h"
#include "saved_options.h"
#include "settings/options_rules.h"

namespace {

using wolumetr::DriveRows;
using wolumetr::MemorySettingsStore;
using wolumetr::SettingsFile;
using wolumetr::test::Rows;

using wolumetr::kTestSettingsPath;

// Rewrites the list in `before` from `rows` and returns the committed file.
std::string Save(const std::string& before, const DriveRows& rows, int expected_count) {
  MemorySettingsStore store;
  store.Put(kTestSettingsPath, before);
  SettingsFile file(store, kTestSettingsPath);
  EXPECT_EQ(wolumetr::RewriteDriveList(file, rows), expected_count);
  file.Commit();
  return store.Content(kTestSettingsPath).value_or("<missing>");
}

TEST(DriveList, LoadShowsEmptySlotsAsBrakAndEverythingElseAsStored) {
  MemorySettingsStore store;
  store.Put(kTestSettingsPath,
            "[Dyski]\r\nDysk2=0\r\nDysk3=D:\\\r\nDysk4=\r\nDysk5=[brak]\r\nDysk6=c:\\\r\n"
            "Dysk7= 0 \r\nDysk8=00\r\nDysk19=E:\\\r\n");
  SettingsFile file(store, kTestSettingsPath);
  const DriveRows rows = wolumetr::LoadDriveSlots(file);
  const DriveRows expected = Rows({"[brak]", "[brak]", "D:\\", "", "[brak]", "c:\\", "[brak]", "00"});
  EXPECT_EQ(rows, expected);
  EXPECT_FALSE(wolumetr::AllSlotsEmpty(rows));
  // The main window's tiles: every filled slot, in order, in lower case.
  EXPECT_EQ(wolumetr::ReadTileDrives(file), (std::vector<std::string>{"d:\\", "", "[brak]", "c:\\", "00"}));

  MemorySettingsStore none;
  SettingsFile missing(none, kTestSettingsPath);
  EXPECT_TRUE(wolumetr::AllSlotsEmpty(wolumetr::LoadDriveSlots(missing)));
}

TEST(DriveList, RewriteCompactsRowsAndLeavesOtherKeysAlone) {
  EXPECT_EQ(Save("[Dyski]\r\nDysk1=C:\\\r\nDysk3=D:\\\r\n", Rows({"C:\\", "[brak]", "D:\\"}), 2),
            "[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n");

  // Only the drive in slot 3 is left, moved to slot 1.
  EXPECT_EQ(Save("[Dyski]\r\nDysk2=0\r\nDysk3=D:\\\r\n", Rows({"[brak]", "[brak]", "D:\\"}), 1),
            "[Dyski]\r\nDysk1=D:\\\r\n");

  // Duplicates and empty values are saved as they stand; Dysk19, comments,
  // duplicate lines and other sections are handled as the format says.
  EXPECT_EQ(Save("[Program]\nIlosc kolumn=2\n[Dyski]\n; wybrane dyski\nDysk19=E:\\\nDysk18=Z:\\\nDysk1=X\ndysk1=Y\n",
                 Rows({"C:\\", "C:\\", "", "[brak]", "d:\\"}), 4),
            "[Program]\nIlosc kolumn=2\n[Dyski]\n; wybrane dyski\nDysk19=E:\\\n"
            "Dysk1=C:\\\nDysk2=C:\\\nDysk3=\nDysk4=d:\\\n");
}

TEST(DriveList, AllBrakRemovesEverySlotKey) {
  DriveRows empty = Rows({});
  EXPECT_TRUE(wolumetr::AllSlotsEmpty(empty));
  EXPECT_EQ(Save("[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk20=F:\\\r\n", empty, 0), "[Dyski]\r\nDysk20=F:\\\r\n");
}

TEST(DriveList, SavingTheSameListWritesNothing) {
  MemorySettingsStore store;
  store.Put(kTestSettingsPath, "[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n");
  SettingsFile file(store, kTestSettingsPath);
  wolumetr::RewriteDriveList(file, wolumetr::LoadDriveSlots(file));
  file.Commit();
  EXPECT_EQ(store.replace_count(), 0);
}

// The file left by a first choice of two drives followed by one Options save.
TEST(DriveList, FirstRunFileComesOutAsExpected) {
  MemorySettingsStore store;
  {
    SettingsFile file(store, kTestSettingsPath);
    EXPECT_EQ(wolumetr::RewriteDriveList(file, Rows({"C:\\", "D:\\"})), 2);
    file.Commit();
  }
  {
    SettingsFile file(store, kTestSettingsPath);
    wolumetr::WriteOptions(file, wolumetr::ExampleOptions());
    file.Commit();
  }
  EXPECT_EQ(store.Content(kTestSettingsPath),
            "[Dyski]\r\n"
            "Dysk1=C:\\\r\n"
            "Dysk2=D:\\\r\n" +
                wolumetr::SavedOptionsText(wolumetr::ExampleOptions()));
}

}  // namespace
