// Test programs load the built hook library from the program folder by its path.
#include "platform/HookLibrary.h"
#include "support/Files.h"

namespace orvane::platform {
namespace {

class LoadedHookLibrary final : public HookLibrary {
public:
    HMODULE Load() override { return LoadLibraryW(Path().c_str()); }
    void Free(HMODULE module) override { FreeLibrary(module); }
    void StartCBTHook(HWND receiver) override {
        if (auto start = Export<void(WINAPI*)(HWND)>("StartCBTHook")) start(receiver);
    }
    void StopCBTHook() override {
        if (auto stop = Export<void(WINAPI*)()>("StopCBTHook")) stop();
    }
    const wchar_t* GetHookMsgString() override {
        auto name = Export<const wchar_t*(WINAPI*)()>("GetHookMsgString");
        return name ? name() : nullptr;
    }

private:
    static std::wstring Path() { return test::TestFolder() + L"..\\Orvane\\Vostrel64.dll"; }
    template <class F> static F Export(const char* name) {
        const HMODULE module = GetModuleHandleW(L"Vostrel64.dll");
        return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                      : nullptr;
    }
};

} // namespace

template <> HookLibrary& Real<HookLibrary>() {
    static LoadedHookLibrary library;
    return library;
}

} // namespace orvane::platform
