#include "settings/start_with_system.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using namespace wolumetr;

// Two Run keys in memory. A hive can be missing, read-only for this user, or refuse values.
class FakeRegistry final : public RunKeyRegistry {
 public:
  struct Hive {
    bool exists = true;
    bool writable = true;
    bool refusesValues = false;
    std::map<std::string, RunValue> values;
  };
  std::map<RunHive, Hive> hives{{RunHive::LocalMachine, {}}, {RunHive::CurrentUser, {}}};
  int writes = 0;

  std::unique_ptr<RunKey> Open(RunHive hive, bool forWriting) override {
    Hive& h = hives[hive];
    if (!h.exists || (forWriting && !h.writable)) return nullptr;
    return std::make_unique<Key>(*this, h);
  }

  void Put(RunHive hive, const std::string& data) { hives[hive].values[kRunValueName] = RunValue{true, true, data}; }
  void PutNumber(RunHive hive) { hives[hive].values[kRunValueName] = RunValue{true, false, {}}; }
  std::optional<std::string> Get(RunHive hive) {
    auto& values = hives[hive].values;
    auto it = values.find(kRunValueName);
    if (it == values.end()) return std::nullopt;
    return it->second.isString ? it->second.data : "<number>";
  }

 private:
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

TEST(StartWithSystem, WhichValuesNameThisExecutable) {
  const struct {
    RunValue value;
    bool names;
  } cases[] = {
      {{true, true, kBlank}, true},
      {{true, true, "\"" + kBlank + "\""}, true},
      {{true, true, kPlain}, false},
      {{true, true, "c:\\program files\\wolumetr\\wolumetr.exe"}, false},  // letter case counts
      {{true, true, "\"" + kBlank + "\" /min"}, false},
      {{true, true, "\"" + kBlank}, false},
      {{true, true, "D:\\Inny\\wolumetr.exe"}, false},
      {{true, false, kBlank}, false},
      {{false, true, kBlank}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(NamesExecutable(c.value, kBlank), c.names) << c.value.data;
  // A path without a blank may be quoted too.
  EXPECT_TRUE(NamesExecutable(RunValue{true, true, "\"" + kPlain + "\""}, kPlain));
}

TEST(StartWithSystem, ReadingLooksInBothHives) {
  const struct {
    std::optional<std::string> machine, user;
    bool machineNumber;
    bool registered, invalidType;
  } cases[] = {
      {std::nullopt, std::nullopt, false, false, false},
      {"\"" + kBlank + "\"", std::nullopt, false, true, false},
      {std::nullopt, kBlank, false, true, false},
      {"D:\\Inny\\wolumetr.exe", std::nullopt, false, false, false},
      {std::nullopt, "\"" + kBlank + "\"", true, true, true},
      {std::nullopt, std::nullopt, true, false, true},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    if (c.machine) registry.Put(kLM, *c.machine);
    if (c.machineNumber) registry.PutNumber(kLM);
    if (c.user) registry.Put(kCU, *c.user);
    const RegistrationState state = ReadRegistration(registry, kBlank);
    EXPECT_EQ(state.registered, c.registered) << c.machine.value_or("-") << " / " << c.user.value_or("-");
    EXPECT_EQ(state.invalidType, c.invalidType);
  }
  // A key that cannot be opened reads as not registered.
  FakeRegistry closed;
  closed.Put(kLM, kPlain);
  closed.hives[kLM].exists = false;
  EXPECT_FALSE(ReadRegistration(closed, kPlain).registered);
}

TEST(StartWithSystem, RegisteringWritesTheMachineKeyWhenItMay) {
  FakeRegistry registry;
  registry.Put(kLM, "D:\\Inny\\wolumetr.exe");
  registry.Put(kCU, kBlank);  // an earlier registration made without the right to the machine key
  EXPECT_TRUE(ApplyRegistration(registry, kBlank, true));
  EXPECT_EQ(registry.Get(kLM), "\"" + kBlank + "\"");
  EXPECT_EQ(registry.Get(kCU), std::nullopt) << "one entry only, or the program would start twice";
}

TEST(StartWithSystem, RegisteringWritesNothingWhenTheValueIsAlreadyRight) {
  FakeRegistry registry;
  registry.Put(kLM, kPlain);
  EXPECT_TRUE(ApplyRegistration(registry, kPlain, true));
  EXPECT_EQ(registry.writes, 0);
  // An unquoted path with a blank still starts us, but is rewritten in the safe form.
  registry.Put(kLM, kBlank);
  EXPECT_TRUE(ApplyRegistration(registry, kBlank, true));
  EXPECT_EQ(registry.Get(kLM), "\"" + kBlank + "\"");
  // A value of another type is replaced by the path.
  registry.PutNumber(kLM);
  EXPECT_TRUE(ApplyRegistration(registry, kBlank, true));
  EXPECT_EQ(registry.Get(kLM), "\"" + kBlank + "\"");
}

TEST(StartWithSystem, WithoutTheRightToTheMachineKeyTheUserKeyIsUsed) {
  FakeRegistry registry;
  registry.hives[kLM].writable = false;
  registry.Put(kLM, "D:\\Inny\\wolumetr.exe");
  EXPECT_TRUE(ApplyRegistration(registry, kBlank, true));
  EXPECT_EQ(registry.Get(kCU), "\"" + kBlank + "\"");
  EXPECT_EQ(registry.Get(kLM), "D:\\Inny\\wolumetr.exe");
  EXPECT_TRUE(ReadRegistration(registry, kBlank).registered);

  // Already started from the machine key: no second entry.
  FakeRegistry machineHasIt;
  machineHasIt.hives[kLM].writable = false;
  machineHasIt.Put(kLM, kPlain);
  EXPECT_TRUE(ApplyRegistration(machineHasIt, kPlain, true));
  EXPECT_EQ(machineHasIt.Get(kCU), std::nullopt);
}

TEST(StartWithSystem, RegisteringFailsWhenNeitherKeyCanBeWritten) {
  FakeRegistry registry;
  registry.hives[kLM].writable = false;
  registry.hives[kCU].writable = false;
  EXPECT_FALSE(ApplyRegistration(registry, kPlain, true));
  EXPECT_EQ(registry.writes, 0);
}

TEST(StartWithSystem, ARefusedValueIsAnError) {
  for (RunHive refusing : {kLM, kCU}) {
    FakeRegistry registry;
    if (refusing == kCU) registry.hives[kLM].writable = false;
    registry.hives[refusing].refusesValues = true;
    try {
      ApplyRegistration(registry, kPlain, true);
      FAIL() << "expected RegistryError";
    } catch (const RegistryError& e) {
      EXPECT_STREQ(e.what(), "Failed to set data for 'Wolumetr'");
    }
  }
  EXPECT_STREQ(InvalidDataType(kRunValueName).what(), "Invalid data type for 'Wolumetr'");
}

TEST(StartWithSystem, UnregisteringRemovesTheValueWhereverItMay) {
  FakeRegistry registry;
  registry.Put(kLM, "D:\\Inny\\wolumetr.exe");
  registry.Put(kCU, kPlain);
  registry.hives[kCU].values["Inny"] = RunValue{true, true, "x.exe"};
  EXPECT_TRUE(ApplyRegistration(registry, kPlain, false));
  EXPECT_EQ(registry.Get(kLM), std::nullopt);
  EXPECT_EQ(registry.Get(kCU), std::nullopt);
  EXPECT_EQ(registry.hives[kCU].values.size(), 1u) << "other programs' values stay";
}

TEST(StartWithSystem, UnregisteringReportsAMachineEntryThatStays) {
  FakeRegistry registry;
  registry.hives[kLM].writable = false;
  registry.Put(kLM, kPlain);
  EXPECT_FALSE(ApplyRegistration(registry, kPlain, false));
  EXPECT_EQ(registry.Get(kLM), kPlain);
  // Another copy's entry that cannot be removed does not start this program: nothing to report.
  registry.Put(kLM, "D:\\Inny\\wolumetr.exe");
  EXPECT_TRUE(ApplyRegistration(registry, kPlain, false));
}

}  // namespace
