#include "about/Form2.h"
#include "core/DozedeR64Form.h"
#include "platform/Dialogs.h"
#include "platform/ui/Application.h"
#include "resources/Texts.h"
#include "settings/Form3.h"

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
    TForm2 aboutForm(mainForm);
    mainForm.Form2 = &aboutForm;
    TForm3 settingsForm(mainForm, aboutForm);
    mainForm.Form3 = &settingsForm;
    // As in every handler, a failure (a settings file that cannot be written) ends it quietly.
    ui::Guarded([&] { settingsForm.FormCreate(); });
    application.Run();
    return 0;
}
