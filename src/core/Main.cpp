#include "core/DozedeR64Form.h"
#include "platform/Dialogs.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace orvane;
    // Owned for the life of the process; one copy per logon session.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, L"DozedeR64Mutex");
    if (WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT) {
        platform::Use<platform::Dialogs>().ShowMessageBox(nullptr, texts::AlreadyRunning,
                                                          texts::AppTitle, MB_ICONINFORMATION);
        return 0;
    }
    ui::Application application;
    application.SetTitle(texts::AppTitle);
    TDozedeR64Form mainForm;
    application.SetMainForm(&mainForm);
    application.Run();
    return 0;
}
