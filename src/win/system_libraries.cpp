#include "win/system_libraries.h"

#include <objbase.h>

#include <stdexcept>
#include <string>

#include "win/text.h"

namespace wolumetr::win::lazy {
namespace {

// A DLL loaded by name on first use and kept for the rest of the run, like an import. The
// name is resolved as an import's would be, so the manifest's Common Controls 6 applies.
class Library {
 public:
  explicit Library(const wchar_t* name) : name_(name) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  template <typename Function>
  Function* Get(const char* symbol) {
    // Looked up once per function (a static at each call site); a failure is tried again
    // at the next call.
    if (module_ == nullptr) module_ = LoadLibraryW(name_);
    FARPROC address = module_ != nullptr ? GetProcAddress(module_, symbol) : nullptr;
    if (address == nullptr) throw std::runtime_error("Cannot load " + Narrow(name_));
    // Through the one function type that converts to any other without a warning.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
  }

 private:
  const wchar_t* name_;
  HMODULE module_ = nullptr;
};

Library& CommonControls() {
  static Library library(L"comctl32.dll");
  return library;
}

Library& Shell() {
  static Library library(L"shell32.dll");
  return library;
}

Library& Com() {
  static Library library(L"ole32.dll");
  return library;
}

Library& Automation() {
  static Library library(L"oleaut32.dll");
  return library;
}

Library& Accessibility() {
  static Library library(L"oleacc.dll");
  return library;
}

}  // namespace

void InitCommonControls(DWORD classes) {
  static auto* const function = CommonControls().Get<decltype(::InitCommonControlsEx)>("InitCommonControlsEx");
  INITCOMMONCONTROLSEX controls{sizeof controls, classes};
  function(&controls);
}

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  static auto* const function = CommonControls().Get<decltype(::SetWindowSubclass)>("SetWindowSubclass");
  return function(hwnd, proc, id, data);
}

LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  static auto* const function = CommonControls().Get<decltype(::DefSubclassProc)>("DefSubclassProc");
  return function(hwnd, message, wParam, lParam);
}

BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
  static auto* const function = CommonControls().Get<decltype(::RemoveWindowSubclass)>("RemoveWindowSubclass");
  return function(hwnd, proc, id);
}

BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* data) {
  static auto* const function = CommonControls().Get<decltype(::GetWindowSubclass)>("GetWindowSubclass");
  return function(hwnd, proc, id, data);
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  static auto* const function = CommonControls().Get<decltype(::ImageList_Draw)>("ImageList_Draw");
  return function(list, index, dc, x, y, style);
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height) {
  static auto* const function = CommonControls().Get<decltype(::ImageList_GetIconSize)>("ImageList_GetIconSize");
  return function(list, width, height);
}

BOOL Shell_NotifyIconW(DWORD message, PNOTIFYICONDATAW data) {
  static auto* const function = Shell().Get<decltype(::Shell_NotifyIconW)>("Shell_NotifyIconW");
  return function(message, data);
}

DWORD_PTR SHGetFileInfoW(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT size, UINT flags) {
  static auto* const function = Shell().Get<decltype(::SHGetFileInfoW)>("SHGetFileInfoW");
  return function(path, attributes, info, size, flags);
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) {
  static auto* const function = Shell().Get<decltype(::ShellExecuteExW)>("ShellExecuteExW");
  return function(info);
}

HRESULT CoInitializeEx(LPVOID reserved, DWORD model) {
  static auto* const function = Com().Get<decltype(::CoInitializeEx)>("CoInitializeEx");
  return function(reserved, model);
}

void CoUninitialize() {
  static auto* const function = Com().Get<decltype(::CoUninitialize)>("CoUninitialize");
  function();
}

LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN object) {
  static auto* const function = Accessibility().Get<decltype(::LresultFromObject)>("LresultFromObject");
  return function(riid, wParam, object);
}

HRESULT CreateStdAccessibleObject(HWND hwnd, LONG id, REFIID riid, void** object) {
  static auto* const function = Accessibility().Get<decltype(::CreateStdAccessibleObject)>("CreateStdAccessibleObject");
  return function(hwnd, id, riid, object);
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  static auto* const function = Automation().Get<decltype(::SysAllocStringLen)>("SysAllocStringLen");
  return function(text, length);
}

}  // namespace wolumetr::win::lazy
