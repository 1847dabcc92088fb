// The program links the hook library when it is loaded; this file is part of the program
// alone.
#include "platform/HookLibrary.h"

#include "Vostrel.h"

namespace orvane::platform {
namespace {

class LinkedHookLibrary final : public HookLibrary {
public:
    HMODULE Load() override { return LoadLibraryW(L"Vostrel64.dll"); }
    void Free(HMODULE module) override { FreeLibrary(module); }
    void StartCBTHook(HWND receiver) override { ::StartCBTHook(receiver); }
    void StopCBTHook() override { ::StopCBTHook(); }
    const wchar_t* GetHookMsgString() override { return ::GetHookMsgString(); }
};

} // namespace

template <> HookLibrary& Real<HookLibrary>() {
    static LinkedHookLibrary library;
    return library;
}

} // namespace orvane::platform
