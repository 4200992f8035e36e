#include "settings/start_with_system.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using namespace wolumetr;

// Two Run keys and two StartupApproved keys in memory. A key can be missing, read-only for this
// user, or refuse values.
class FakeRegistry final : public RunKeyRegistry {
 public:
  struct Hive {
    bool exists = true;
    bool writable = true;
    bool refusesValues = false;
    std::map<std::string, RunValue> values;
  };
  std::map<RunHive, Hive> hives{{RunHive::LocalMachine, {}}, {RunHive::CurrentUser, {}}};
  std::map<RunHive, Hive> approvals{{RunHive::LocalMachine, {}}, {RunHive::CurrentUser, {}}};
  std::map<std::string, std::string> environment{{"%ProgramFiles%", "C:\\Program Files"}};
  PathComparison samePath;  // the system's comparison, when a test gives one
  int writes = 0;

  std::unique_ptr<RunKey> Open(RunHive hive, bool forWriting) override { return OpenIn(hives[hive], forWriting); }
  std::unique_ptr<RunKey> OpenApproval(RunHive hive, bool forWriting) override {
    return OpenIn(approvals[hive], forWriting);
  }
  std::string Expand(const std::string& text) override {
    std::string out = text;
    for (const auto& [name, value] : environment) {
      if (const auto at = out.find(name); at != std::string::npos) out.replace(at, name.size(), value);
    }
    return out;
  }
  bool SamePath(std::string_view a, std::string_view b) override {
    return samePath ? samePath(a, b) : RunKeyRegistry::SamePath(a, b);
  }

  void Put(RunHive hive, const std::string& data) { hives[hive].values[kRunValueName] = RunValue{true, true, data}; }
  void PutNumber(RunHive hive) { hives[hive].values[kRunValueName] = RunValue{true, false, {}}; }
  // Explorer's twelve bytes: 2 enabled, 3 disabled, then a time stamp.
  void Approve(RunHive hive, char first) {
    approvals[hive].values[kRunValueName] = RunValue{true, false, std::string(1, first) + std::string(11, '\0')};
  }
  std::optional<std::string> Get(RunHive hive) {
    auto& values = hives[hive].values;
    auto it = values.find(kRunValueName);
    if (it == values.end()) return std::nullopt;
    return it->second.isString ? it->second.data : "<number>";
  }

 private:
  std::unique_ptr<RunKey> OpenIn(Hive& h, bool forWriting) {
    if (!h.exists || (forWriting && !h.writable)) return nullptr;
    return std::make_unique<Key>(*this, h);
  }

  class Key final : public RunKey {
   public:
    Key(FakeRegistry& registry, Hive& hive) : registry_(registry), hive_(hive) {}
    RunValue Read(const std::string& name) override {
      auto it = hive_.values.find(name);
      return it == hive_.values.end() ? RunValue{} : it->second;
    }
    bool Write(const std::string& name, const std::string& data) override {
      if (hive_.refusesValues) return false;
      ++registry_.writes;
      hive_.values[name] = RunValue{true, true, data};
      return true;
    }
    bool Remove(const std::string& name) override {
      if (hive_.refusesValues) return false;
      hive_.values.erase(name);
      return true;
    }

   private:
    FakeRegistry& registry_;
    Hive& hive_;
  };
};

const std::string kPlain = "C:\\Wolumetr\\wolumetr.exe";
const std::string kBlank = "C:\\Program Files\\Wolumetr\\wolumetr.exe";
constexpr RunHive kLM = RunHive::LocalMachine;
constexpr RunHive kCU = RunHive::CurrentUser;

TEST(StartWithSystem, CommandIsQuotedOnlyWhenThePathHoldsABlank) {
  EXPECT_EQ(RunCommandFor(kPlain), kPlain);
  EXPECT_EQ(RunCommandFor(kBlank), "\"" + kBlank + "\"");
}

TEST(StartWithSystem, WhichCommandsNameThisExecutable) {
  const struct {
    std::string command;
    bool names;
  } cases[] = {
      {kBlank, true},
      {"\"" + kBlank + "\"", true},
      {"c:\\program files\\wolumetr\\WOLUMETR.EXE", true},  // Windows paths ignore letter case
      {"\"" + kBlank + "\" /min", true},                    // arguments are not the program
      {kBlank + " /min", true},
      {"  \"" + kBlank + "\"", true},
      {"%ProgramFiles%\\Wolumetr\\wolumetr.exe", true},  // expanded as at logon
      {"C:/Program Files/Wolumetr\\wolumetr.exe /min", true},
      {"\"" + kBlank + "\"/min", true},  // after the closing quote, arguments need no blank
      {"\"" + kBlank + "\"x", true},
      {kBlank + "x", false},
      {kBlank + "/min", false},  // unquoted, the path ends at a blank
      {"\"" + kBlank, false},    // an unclosed quote starts nothing
      {kPlain, false},
      {"D:\\Inny\\wolumetr.exe", false},
      {"", false},
  };
  FakeRegistry registry;
  for (const auto& c : cases) {
    registry.Put(kCU, c.command);
    EXPECT_EQ(ReadRegistration(registry, kBlank).registered, c.names) << c.command;
  }
  // Only a value that exists and holds a string starts anything.
  for (const RunValue& value : {RunValue{true, false, kBlank}, RunValue{false, true, kBlank}}) {
    registry.hives[kCU].values[kRunValueName] = value;
    EXPECT_FALSE(ReadRegistration(registry, kBlank).registered) << value.exists;
  }
  registry.Put(kCU, "\"" + kPlain + "\"");
  EXPECT_TRUE(ReadRegistration(registry, kPlain).registered) << "quotes without a blank";
  // Letters beyond ASCII are the system's comparison to fold (a stand-in here).
  registry.Put(kCU, "C:\\PRZENOŚNY\\WOLUMETR.EXE");
  registry.samePath = [](std::string_view a, std::string_view b) { return a.size() == b.size(); };
  EXPECT_TRUE(ReadRegistration(registry, "C:\\Przenośny\\wolumetr.exe").registered);
}

TEST(StartWithSystem, ReadingLooksInBothHives) {
  const struct {
    std::optional<std::string> machine, user;
    bool machineNumber;
    char machineApproval, userApproval;  // 0: no approval value
    bool registered, invalidType;
  } cases[] = {
      {std::nullopt, std::nullopt, false, 0, 0, false, false},
      {"\"" + kBlank + "\"", std::nullopt, false, 0, 0, true, false},
      {std::nullopt, kBlank, false, 0, 0, true, false},
      {"D:\\Inny\\wolumetr.exe", std::nullopt, false, 0, 0, false, false},
      {std::nullopt, "\"" + kBlank + "\"", true, 0, 0, true, true},
      {std::nullopt, std::nullopt, true, 0, 0, false, true},
      // Switched off in Task Manager: Windows skips it, so the box shows it clear.
      {std::nullopt, kBlank, false, 0, 3, false, false},
      {std::nullopt, kBlank, false, 0, 2, true, false},
      {kBlank, std::nullopt, false, 3, 0, false, false},
      {kBlank, kBlank, false, 3, 2, true, false},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    if (c.machine) registry.Put(kLM, *c.machine);
    if (c.machineNumber) registry.PutNumber(kLM);
    if (c.user) registry.Put(kCU, *c.user);
    if (c.machineApproval != 0) registry.Approve(kLM, c.machineApproval);
    if (c.userApproval != 0) registry.Approve(kCU, c.userApproval);
    const RegistrationState state = ReadRegistration(registry, kBlank);
    EXPECT_EQ(state.registered, c.registered) << c.machine.value_or("-") << " / " << c.user.value_or("-") << " "
                                              << int{c.machineApproval} << int{c.userApproval};
    EXPECT_EQ(state.invalidType, c.invalidType);
  }
  // A key that cannot be opened reads as not registered.
  FakeRegistry closed;
  closed.Put(kLM, kPlain);
  closed.hives[kLM].exists = false;
  EXPECT_FALSE(ReadRegistration(closed, kPlain).registered);
}

TEST(StartWithSystem, RegisteringWritesTheUserKeyOnly) {
  // The machine's key is never written, even where it may be, and another copy's entry stays.
  FakeRegistry registry;
  registry.Put(kLM, "D:\\Inny\\wolumetr.exe");
  EXPECT_TRUE(ApplyRegistration(registry, kBlank, true));
  EXPECT_EQ(registry.Get(kCU), "\"" + kBlank + "\"");
  EXPECT_EQ(registry.Get(kLM), "D:\\Inny\\wolumetr.exe");
  EXPECT_TRUE(ReadRegistration(registry, kBlank).registered);

  // Our machine-wide entry moves to the user's key where it may be removed...
  FakeRegistry moved;
  moved.Put(kLM, kPlain);
  EXPECT_TRUE(ApplyRegistration(moved, kPlain, true));
  EXPECT_EQ(moved.Get(kLM), std::nullopt);
  EXPECT_EQ(moved.Get(kCU), kPlain);

  // ...and stays alone where it may not: a second entry would start the program twice.
  FakeRegistry kept;
  kept.hives[kLM].writable = false;
  kept.Put(kLM, kPlain);
  EXPECT_TRUE(ApplyRegistration(kept, kPlain, true));
  EXPECT_EQ(kept.Get(kCU), std::nullopt);
  // Unless it is switched off and cannot be switched on: then the user's entry does the job.
  kept.Approve(kLM, 3);
  EXPECT_TRUE(ApplyRegistration(kept, kPlain, true));
  EXPECT_EQ(kept.Get(kCU), kPlain);
}

TEST(StartWithSystem, RegisteringWritesNothingWhenTheValueIsAlreadyRight) {
  FakeRegistry registry;
  registry.Put(kCU, kPlain);
  EXPECT_TRUE(ApplyRegistration(registry, kPlain, true));
  registry.Put(kCU, "\"%ProgramFiles%\\Wolumetr\\wolumetr.exe\" /min");
  EXPECT_TRUE(ApplyRegistration(registry, kBlank, true));
  EXPECT_EQ(registry.writes, 0) << "the user's own form of the command stays";
  // An unquoted path with a blank still starts us, but is rewritten in the safe form.
  registry.Put(kCU, kBlank);
  EXPECT_TRUE(ApplyRegistration(registry, kBlank, true));
  EXPECT_EQ(registry.Get(kCU), "\"" + kBlank + "\"");
  // A value of another type, or another copy's path, is replaced by the path.
  for (const bool number : {true, false}) {
    number ? registry.PutNumber(kCU) : registry.Put(kCU, "D:\\Inny\\wolumetr.exe");
    EXPECT_TRUE(ApplyRegistration(registry, kBlank, true));
    EXPECT_EQ(registry.Get(kCU), "\"" + kBlank + "\"");
  }
}

TEST(StartWithSystem, TickingSwitchesADisabledEntryOnAgain) {
  FakeRegistry registry;
  registry.Put(kCU, kPlain);
  registry.Approve(kCU, 3);
  ASSERT_FALSE(ReadRegistration(registry, kPlain).registered);
  EXPECT_TRUE(ApplyRegistration(registry, kPlain, true));
  EXPECT_TRUE(ReadRegistration(registry, kPlain).registered);
  // Where the switch cannot be turned, the program would not start as asked.
  registry.Approve(kCU, 3);
  registry.approvals[kCU].writable = false;
  EXPECT_FALSE(ApplyRegistration(registry, kPlain, true));
}

TEST(StartWithSystem, RegisteringFailsWhenTheUserKeyCannotBeWritten) {
  FakeRegistry registry;
  registry.hives[kCU].writable = false;
  EXPECT_FALSE(ApplyRegistration(registry, kPlain, true));
  EXPECT_EQ(registry.writes, 0);
}

TEST(StartWithSystem, ARefusedValueIsAnError) {
  FakeRegistry registry;
  registry.hives[kCU].refusesValues = true;
  try {
    ApplyRegistration(registry, kPlain, true);
    FAIL() << "expected RegistryError";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'Wolumetr'");
  }
  EXPECT_STREQ(InvalidDataType(kRunValueName).what(), "Invalid data type for 'Wolumetr'");
}

TEST(StartWithSystem, UnregisteringRemovesOnlyValuesThatNameThisExecutable) {
  FakeRegistry registry;
  registry.Put(kLM, "\"C:\\WOLUMETR\\wolumetr.exe\" /min");
  registry.Put(kCU, kPlain);
  registry.hives[kCU].values["Inny"] = RunValue{true, true, "x.exe"};
  EXPECT_TRUE(ApplyRegistration(registry, kPlain, false));
  EXPECT_EQ(registry.Get(kLM), std::nullopt);
  EXPECT_EQ(registry.Get(kCU), std::nullopt);
  EXPECT_EQ(registry.hives[kCU].values.size(), 1u) << "other programs' values stay";
  // Another copy's entry is not ours to clear.
  registry.Put(kLM, "D:\\Inny\\wolumetr.exe");
  registry.Put(kCU, "D:\\Inny\\wolumetr.exe");
  EXPECT_TRUE(ApplyRegistration(registry, kPlain, false));
  EXPECT_EQ(registry.Get(kLM), "D:\\Inny\\wolumetr.exe");
  EXPECT_EQ(registry.Get(kCU), "D:\\Inny\\wolumetr.exe");
  // The uninstall takes the value by any path of the executable, and its approval record with it;
  // another copy's value keeps its own.
  for (const bool ours : {true, false}) {
    registry.Put(kCU, ours ? "C:\\PROGRA~1\\WOLUME~1\\wolumetr.exe /min" : "D:\\Inny\\wolumetr.exe");
    registry.Approve(kCU, 3);
    ForgetRegistration(registry, {kBlank, "C:\\PROGRA~1\\WOLUME~1\\wolumetr.exe"});
    EXPECT_EQ(registry.Get(kCU).has_value(), !ours);
    EXPECT_EQ(registry.approvals[kCU].values.size(), ours ? 0u : 1u);
  }
}

TEST(StartWithSystem, UnregisteringReportsAMachineEntryThatStays) {
  FakeRegistry registry;
  registry.hives[kLM].writable = false;
  registry.Put(kLM, kPlain);
  EXPECT_FALSE(ApplyRegistration(registry, kPlain, false));
  EXPECT_EQ(registry.Get(kLM), kPlain);
  // Switched off, it no longer starts the program: nothing to report.
  registry.Approve(kLM, 3);
  EXPECT_TRUE(ApplyRegistration(registry, kPlain, false));
}

}  // namespace
