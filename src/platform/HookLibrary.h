#pragma once
#include "platform/Seam.h"
#include "platform/Win.h"

namespace orvane::platform {

// The hook library Vostrel64.dll that reports new top-level windows of other processes.
class HookLibrary {
public:
    virtual ~HookLibrary() = default;
    // LoadLibraryW by name; null when it cannot be loaded.
    virtual HMODULE Load() = 0;
    virtual void Free(HMODULE module) = 0;
    virtual void StartCBTHook(HWND receiver) = 0;
    virtual void StopCBTHook() = 0;
    // The name of the report message.
    virtual const wchar_t* GetHookMsgString() = 0;
};

template <> HookLibrary& Real<HookLibrary>();

} // namespace orvane::platform
