// Wolumetr: watches the free space of the drives the user picks.
#include <windows.h>

#include "app/main_form.h"
#include "display/system_drive_queries.h"
#include "settings/file_settings_store.h"
#include "win/application.h"
#include "win/error_box.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The common controls, the shell and COM are loaded by name on first use: only ever from the
  // system folder, never from the program's own (writable) one or the current directory.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  wolumetr::win::Guarded([] {
    auto& app = wolumetr::win::Application::Instance();
    app.Initialize();
    app.SetTitle(L"Wolumetr");
    wolumetr::win::FileSettingsStore settings;
    wolumetr::win::SystemDriveQueries drives;
    wolumetr::TForm1 form(wolumetr::MainWindowServices{settings, drives, {}});
    app.Run(form);
  });
  return 0;
}
