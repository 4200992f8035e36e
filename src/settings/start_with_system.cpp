#include "settings/start_with_system.h"

namespace wolumetr {
namespace {

constexpr RunHive kHives[] = {RunHive::LocalMachine, RunHive::CurrentUser};

bool HoldsCommand(const RunValue& value, const std::string& command) {
  return value.exists && value.isString && value.data == command;
}

void Put(RunKey& key, const std::string& command) {
  if (HoldsCommand(key.Read(kRunValueName), command)) return;
  if (!key.Write(kRunValueName, command)) throw FailedToSetData(kRunValueName);
}

bool Register(RunKeyRegistry& registry, const std::string& executablePath) {
  const std::string command = RunCommandFor(executablePath);
  if (auto machine = registry.Open(RunHive::LocalMachine, true)) {
    Put(*machine, command);
    // An entry of the user's as well would start the program twice.
    if (auto user = registry.Open(RunHive::CurrentUser, true)) {
      if (NamesExecutable(user->Read(kRunValueName), executablePath)) user->Remove(kRunValueName);
    }
    return true;
  }
  // Without the right to the machine's key: what is there already does the job.
  if (auto machine = registry.Open(RunHive::LocalMachine, false)) {
    if (NamesExecutable(machine->Read(kRunValueName), executablePath)) return true;
  }
  auto user = registry.Open(RunHive::CurrentUser, true);
  if (!user) return false;
  Put(*user, command);
  return true;
}

bool Unregister(RunKeyRegistry& registry, const std::string& executablePath) {
  bool done = true;
  for (RunHive hive : kHives) {
    if (auto key = registry.Open(hive, true)) {
      const RunValue value = key->Read(kRunValueName);
      if (value.exists && !key->Remove(kRunValueName) && NamesExecutable(value, executablePath)) done = false;
    } else if (auto readable = registry.Open(hive, false)) {
      if (NamesExecutable(readable->Read(kRunValueName), executablePath)) done = false;
    }
  }
  return done;
}

}  // namespace

RegistryError FailedToSetData(const std::string& valueName) {
  return RegistryError("Failed to set data for '" + valueName + "'");
}

RegistryError InvalidDataType(const std::string& valueName) {
  return RegistryError("Invalid data type for '" + valueName + "'");
}

std::string RunCommandFor(const std::string& executablePath) {
  if (executablePath.find(' ') == std::string::npos) return executablePath;
  return '"' + executablePath + '"';
}

bool NamesExecutable(const RunValue& value, const std::string& executablePath) {
  if (!value.exists || !value.isString || executablePath.empty()) return false;
  return value.data == executablePath || value.data == '"' + executablePath + '"';
}

RegistrationState ReadRegistration(RunKeyRegistry& registry, const std::string& executablePath) {
  RegistrationState state;
  for (RunHive hive : kHives) {
    auto key = registry.Open(hive, false);
    if (!key) continue;
    const RunValue value = key->Read(kRunValueName);
    if (value.exists && !value.isString) state.invalidType = true;
    if (NamesExecutable(value, executablePath)) state.registered = true;
  }
  return state;
}

bool ApplyRegistration(RunKeyRegistry& registry, const std::string& executablePath, bool startWithSystem) {
  return startWithSystem ? Register(registry, executablePath) : Unregister(registry, executablePath);
}

}  // namespace wolumetr
