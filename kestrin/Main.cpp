#include "companion/Protocol.h"
#include "kestrin/KestrinForm.h"
#include "kestrin/OrvaneChannel.h"
#include "kestrin/Texts.h"
#include "platform/ui/Application.h"

namespace {

// A second copy brings the first to the front and leaves; a hung first copy costs it at
// most a few seconds. An Orvane that started it waits to hear that Kestrin runs: the first
// copy told that at its own start, so the second tells it again.
void ShowFirstCopy() {
    HWND first = FindWindowW(orvane::protocol::CompanionClass, nullptr);
    if (!first) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(first, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 5000, &result);
    SetForegroundWindow(first);
    orvane::kestrin::SendToOrvane(orvane::protocol::SetTaskTrayEnd);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace orvane;
    // Owned for the life of the process; one copy per logon session.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, L"KelmoraKestrinMutex");
    if (WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT) {
        ShowFirstCopy();
        return 0;
    }
    ui::Application application;
    application.SetTitle(kestrin::texts::AppTitle);
    // A failure inside a handler ends that handler; Kestrin keeps running.
    application.OnException = [](std::exception_ptr) {};
    kestrin::TKestrinForm form;
    application.SetMainForm(&form);
    form.Start();
    application.Run();
    return 0;
}
