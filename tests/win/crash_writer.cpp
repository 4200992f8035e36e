// A settings writer that never stops, for the test that kills it at random moments
// (tests/e2e/test_crash_safe_saves.py).
//
//   wolumetr_crash_writer <settings file> <values A> <values B>
//   wolumetr_crash_writer --wait
//
// The values files hold one value per line for the keys Klucz1, Klucz2, ... of [Test]. The
// writer first reads the settings file as a start-up would, after whatever the last kill left
// behind, and insists that the keys hold all of A or all of B. Then it saves the other set,
// says "ready" once that first save is done, and goes on saving A and B in turn, each save
// one SettingsFile with one Commit, until it is killed. Exit code 1: a broken file or a failed
// save (the message is on stderr).
//
// With --wait it does nothing until its standard input ends. The test keeps one such process
// running so that Wine never sees its last program end between two kills and starts shutting
// its services down just as the next writer connects.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/file_settings_store.h"
#include "settings/settings_file.h"
#include "win/text.h"

namespace {

using wolumetr::SettingsFile;
using wolumetr::win::FileSettingsStore;

constexpr const char* kSection = "Test";

std::string KeyName(std::size_t index) { return "Klucz" + std::to_string(index + 1); }

std::vector<std::string> ReadValues(FileSettingsStore& store, const std::string& path) {
  const auto text = store.Load(path);
  if (!text) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> values;
  std::size_t start = 0;
  while (start < text->size()) {
    const std::size_t end = text->find('\n', start);
    values.push_back(text->substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return values;
}

// Whether every key of the file holds its value of `values`.
bool Holds(SettingsFile& file, const std::vector<std::string>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (file.ReadText(kSection, KeyName(i), "") != values[i]) return false;
  }
  return true;
}

void Save(FileSettingsStore& store, const std::string& path, const std::vector<std::string>& values) {
  SettingsFile file(store, path);
  for (std::size_t i = 0; i < values.size(); ++i) file.WriteText(kSection, KeyName(i), values[i]);
  file.Commit();
}

int Run(const std::string& path, const std::string& a_path, const std::string& b_path) {
  FileSettingsStore store;
  const std::vector<std::string> a = ReadValues(store, a_path);
  const std::vector<std::string> b = ReadValues(store, b_path);
  bool next_is_b = false;
  {
    SettingsFile file(store, path);
    next_is_b = Holds(file, a);
    if (!next_is_b && !Holds(file, b)) {
      std::fprintf(stderr, "the settings file holds neither A nor B\n");
      return 1;
    }
  }
  for (long long saves = 0;; ++saves) {
    Save(store, path, next_is_b ? b : a);
    next_is_b = !next_is_b;
    if (saves == 0) {
      std::fputs("ready\n", stdout);
      std::fflush(stdout);
    }
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"--wait") {
    char buffer[64];
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    }
    return 0;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: wolumetr_crash_writer <settings file> <values A> <values B> | --wait\n");
    return 2;
  }
  try {
    using wolumetr::win::Narrow;
    return Run(Narrow(argv[1]), Narrow(argv[2]), Narrow(argv[3]));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
