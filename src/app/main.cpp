// Wolumetr: watches the free space of the drives the user picks.
#include <windows.h>

#include <memory>

#include "app/main_form.h"
#include "app/settings_at_start.h"
#include "display/system_drive_queries.h"
#include "settings/file_settings_store.h"
#include "settings/settings_schema.h"
#include "win/application.h"
#include "win/error_box.h"
#include "win/instance_handover.h"
#include "win/system_info.h"
#include "win/system_seam.h"
#include "win/text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  // The common controls, the shell and COM are loaded by name on first use: only ever from the
  // system folder, never from the program's own (writable) one or the current directory.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Brought back by Windows while a copy the user started meanwhile runs: that one is enough.
  if (wolumetr::win::StartedByRestart(arguments) && wolumetr::win::OtherCopyRunning()) return 0;
  // Started by the restart: the ending instance's tray icon goes first (a few seconds at most).
  wolumetr::win::WaitForPredecessor(3000);
  // Outlives everything below: the error box at the boundary goes through it too. Threads that
  // hand a drive to the shell share it, and may still run when this function returns.
  const auto system = std::make_shared<wolumetr::win::SystemSeam>();
  auto& app = wolumetr::win::Application::Instance();
  app.SetSystem(system.get());
  wolumetr::win::Guarded([&] {
    // The window system starts with the main window, once its first drive round is under way.
    app.SetTitle(L"Wolumetr");
    wolumetr::win::FileSettingsStore files;
    wolumetr::StartupSnapshot settings(files);
    const std::string path = wolumetr::win::Narrow(wolumetr::win::ExecutableFolder()) + wolumetr::kSettingsFileName;
    if (!wolumetr::ReadSettingsAtStart(settings, path, *system, app.Title())) return;  // given up: the file stays
    auto drives = std::make_shared<wolumetr::win::SystemDriveQueries>(system);
    wolumetr::TForm1 form(app, wolumetr::MainWindowServices{settings, drives, system, {}, &settings});
    const wolumetr::win::RestartManagerCloseScope closedByInstaller([&form] { form.CloseQuietly(); });
    // Apart from the constructor: the start-up Drive selection window may run its modal loop here.
    form.FormCreate();
    app.Run(form);
  });
  app.SetSystem(nullptr);
  return 0;
}
