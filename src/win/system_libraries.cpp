#include "win/system_libraries.h"

#include <objbase.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "win/text.h"

namespace wolumetr::win::lazy {
namespace {

// A DLL loaded by name on first use and kept for the rest of the run, like an import. The
// name is resolved as an import's would be, so the manifest's Common Controls 6 applies.
class Library {
 public:
  constexpr explicit Library(const wchar_t* name) : name_(name) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  template <typename Function>
  Function* Get(const char* symbol) {
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

constinit Library commonControls(L"comctl32.dll");
constinit Library shell(L"shell32.dll");
constinit Library com(L"ole32.dll");
constinit Library automation(L"oleaut32.dll");
constinit Library accessibility(L"oleacc.dll");

// A function's name as a template argument: each function called through Call has its own.
template <std::size_t N>
struct Symbol {
  constexpr Symbol(const char (&text)[N]) { std::copy_n(text, N, name); }
  char name[N];
};

// Calls `symbol` of `library`, of the type `Function` (the SDK's declaration). Looked up once per
// function (a static of its own); a failure is tried again at the next call.
template <typename Function, Library& library, Symbol symbol, typename... Args>
auto Call(Args... args) {
  static auto* const function = library.Get<Function>(symbol.name);
  return function(args...);
}

}  // namespace

void InitCommonControls(DWORD classes) {
  INITCOMMONCONTROLSEX controls{sizeof controls, classes};
  Call<decltype(::InitCommonControlsEx), commonControls, "InitCommonControlsEx">(&controls);
}

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  return Call<decltype(::SetWindowSubclass), commonControls, "SetWindowSubclass">(hwnd, proc, id, data);
}

LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Call<decltype(::DefSubclassProc), commonControls, "DefSubclassProc">(hwnd, message, wParam, lParam);
}

BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
  return Call<decltype(::RemoveWindowSubclass), commonControls, "RemoveWindowSubclass">(hwnd, proc, id);
}

BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* data) {
  return Call<decltype(::GetWindowSubclass), commonControls, "GetWindowSubclass">(hwnd, proc, id, data);
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  return Call<decltype(::ImageList_Draw), commonControls, "ImageList_Draw">(list, index, dc, x, y, style);
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height) {
  return Call<decltype(::ImageList_GetIconSize), commonControls, "ImageList_GetIconSize">(list, width, height);
}

BOOL Shell_NotifyIconW(DWORD message, PNOTIFYICONDATAW data) {
  return Call<decltype(::Shell_NotifyIconW), shell, "Shell_NotifyIconW">(message, data);
}

DWORD_PTR SHGetFileInfoW(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT size, UINT flags) {
  return Call<decltype(::SHGetFileInfoW), shell, "SHGetFileInfoW">(path, attributes, info, size, flags);
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) {
  return Call<decltype(::ShellExecuteExW), shell, "ShellExecuteExW">(info);
}

HRESULT CoInitializeEx(LPVOID reserved, DWORD model) {
  return Call<decltype(::CoInitializeEx), com, "CoInitializeEx">(reserved, model);
}

void CoUninitialize() { Call<decltype(::CoUninitialize), com, "CoUninitialize">(); }

LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN object) {
  return Call<decltype(::LresultFromObject), accessibility, "LresultFromObject">(riid, wParam, object);
}

HRESULT CreateStdAccessibleObject(HWND hwnd, LONG id, REFIID riid, void** object) {
  return Call<decltype(::CreateStdAccessibleObject), accessibility, "CreateStdAccessibleObject">(hwnd, id, riid,
                                                                                                 object);
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  return Call<decltype(::SysAllocStringLen), automation, "SysAllocStringLen">(text, length);
}

}  // namespace wolumetr::win::lazy
