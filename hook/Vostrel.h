#pragma once
// The hook library's exports: reports of new top-level windows of other processes.
#include <windows.h>

#ifdef VOSTREL_BUILD
#define VOSTREL_API __declspec(dllexport)
#else
#define VOSTREL_API __declspec(dllimport)
#endif

// From now on the message named by GetHookMsgString is posted to `receiver` (a window of
// the calling thread) for every top-level window that is created or activated in another
// process, once it is visible with a title: wParam the window, lParam 0. A second call only
// changes the receiver.
extern "C" VOSTREL_API void StartCBTHook(HWND receiver);
extern "C" VOSTREL_API void StopCBTHook();
extern "C" VOSTREL_API const wchar_t* GetHookMsgString();
