#pragma once
// The common controls, the shell, COM and accessibility, loaded on first use. The main window shows
// without any of them: loaded with the program, they took start-up time before its first
// line ran (comctl32 alone some 10 ms under Wine) and 1.7 MiB of private memory that most
// runs never need.
//
// The program calls these functions only through here; its executable does not link the
// import libraries of those DLLs, so a direct call does not build.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>

namespace wolumetr::win::lazy {

// Each throws "Cannot load <dll>" when the DLL or the function is missing.
void InitCommonControls(DWORD classes);
BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id);
BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* data);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);

BOOL Shell_NotifyIconW(DWORD message, PNOTIFYICONDATAW data);
DWORD_PTR SHGetFileInfoW(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT size, UINT flags);
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);

HRESULT CoInitializeEx(LPVOID reserved, DWORD model);
void CoUninitialize();

// Only asked for when a screen reader (or another accessibility client) asks the window.
LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN object);
HRESULT CreateStdAccessibleObject(HWND hwnd, LONG id, REFIID riid, void** object);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);

}  // namespace wolumetr::win::lazy
