// Every file of the fuzzers' corpus through the fuzzers' own checks, in the unit layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_checks.h"

namespace {

namespace fs = std::filesystem;

void Replay(const char* target, void (*check)(std::string_view)) {
  const fs::path folder = fs::path(WOLUMETR_FUZZ_CORPUS_DIR) / target;
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  EXPECT_FALSE(files.empty()) << folder;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
      check(bytes);
    } catch (const wolumetr::fuzz::CheckFailure& failure) {
      ADD_FAILURE() << file.filename().string() << ": " << failure.what();
    } catch (const std::exception& error) {
      ADD_FAILURE() << file.filename().string() << ": unexpected exception: " << error.what();
    }
  }
}

TEST(FuzzCorpus, SettingsFile) { Replay("settings_file", wolumetr::fuzz::CheckSettingsFile); }
TEST(FuzzCorpus, NumberReading) { Replay("number_reading", wolumetr::fuzz::CheckNumberReading); }
TEST(FuzzCorpus, SizeText) { Replay("size_text", wolumetr::fuzz::CheckSizeText); }

}  // namespace
