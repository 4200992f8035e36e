// A settings save call by call: flushed before the rename, no temporary file left by a failure.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/file_settings_store.h"
#include "win/text.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

// Records every call and fails the one named, before it reaches the disk.
struct RecordingCalls : win::SaveFileCalls {
  std::string failing;
  std::vector<std::string> made;
  bool Fails(const char* call) {
    made.push_back(call);
    return failing == call;
  }
  HANDLE CreateTemporary(const std::wstring& path) override {
    return Fails("create") ? INVALID_HANDLE_VALUE : SaveFileCalls::CreateTemporary(path);
  }
  bool Write(HANDLE file, const char* data, DWORD size, DWORD& written) override {
    return !Fails("write") && SaveFileCalls::Write(file, data, size, written);
  }
  bool Flush(HANDLE file) override { return !Fails("flush") && SaveFileCalls::Flush(file); }
  void Close(HANDLE file) override {
    if (!Fails("close")) SaveFileCalls::Close(file);
  }
  DWORD Move(const std::wstring& from, const std::wstring& to) override {
    return Fails("move") ? ERROR_DISK_FULL : SaveFileCalls::Move(from, to);
  }
  void Delete(const std::wstring& path) override {
    if (!Fails("delete")) SaveFileCalls::Delete(path);
  }
};

TEST(SettingsSave, FlushesBeforeTheRenameAndLeavesNoTemporaryFileWhenAStepFails) {
  const struct {
    const char* failing;
    std::vector<std::string> made;
  } cases[] = {
      {"", {"create", "write", "flush", "close", "move"}},
      {"create", {"create"}},
      {"write", {"create", "write", "close", "delete"}},
      {"flush", {"create", "write", "flush", "close", "delete"}},
      {"move", {"create", "write", "flush", "close", "move", "delete"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    TempFolder folder;
    folder.Write(L"wolumetr.ini", "old");
    RecordingCalls calls;
    calls.failing = c.failing;
    win::FileSettingsStore store(calls);
    const std::string path = win::Narrow(folder.File(L"wolumetr.ini"));
    if (*c.failing) {
      EXPECT_THROW(store.Replace(path, "new"), SettingsWriteError);
    } else {
      store.Replace(path, "new");
    }
    EXPECT_EQ(calls.made, c.made);
    EXPECT_EQ(folder.Read(L"wolumetr.ini"), *c.failing ? "old" : "new");
    WIN32_FIND_DATAW found{};
    const HANDLE find = FindFirstFileW(folder.File(L"*.tmp").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "left behind: " << win::Narrow(found.cFileName);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
  }
}

}  // namespace
}  // namespace wolumetr::test
