#pragma once
// Kestrin's main window: the list of applications that Orvane keeps in the notification area.

#include "kestrin/KestrinList.h"
#include "kestrin/OrvaneWatch.h"
#include "platform/Module.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"

namespace orvane::kestrin {

class TKestrinForm : public ui::Form {
public:
    explicit TKestrinForm(const std::wstring& dataFolder = platform::UserDataFolder());

    // Shows the window as `showCommand` asks (by default as the starter asked) and tells
    // Orvane that Kestrin is up.
    void Start(int showCommand = SW_SHOWDEFAULT);

    // Lists the application after checking it, as the add command does with its dialog's
    // answer.
    void AddApp(const std::wstring& path);

    const KestrinList& List() const { return list_; }

    void BtnAddClick();
    void BtnDeleteClick();
    void CheckBoxShowOnTaskBarClick();
    void BtnSetTextClick();
    void CheckBoxBeforeStartClick();
    void ListView1Select();
    void EditReceveMsgChange();

    ui::ListView ListView1{*this};
    ui::Button BtnAdd{*this};
    ui::Button BtnDelete{*this};
    ui::CheckBox CheckBoxShowOnTaskBar{*this};
    ui::Label LblBeforeStartText{*this};
    ui::Edit EditBeforeStartText{*this};
    ui::Button BtnSetText{*this};
    ui::CheckBox CheckBoxBeforeStart{*this};
    // Orvane writes "Changed" here after it changed Kestrin.ini.
    ui::Edit EditReceveMsg{*this};

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Orvane's process has ended; posted by the watch.
    static constexpr UINT OrvaneEnded = WM_APP + 0x31;
    // Watches the Orvane that the channel reaches now.
    void WatchOrvane();
    // The listed programs' windows get their taskbar buttons back.
    void GiveButtonsBack();
    void LoadList();
    // Writes the changed list and the pictures, shows it and tells Orvane; a list that
    // cannot be written is not taken.
    void Store(KestrinList list, int select);
    void ShowList(int select);
    const KestrinEntry* SelectedItem() const;

    std::wstring dataFolder_;
    KestrinFile file_;
    KestrinList list_;
    // Pictures on disk, numbered from 0.
    std::int32_t storedIcons_ = 0;
    OrvaneWatch watch_{Handle(), OrvaneEnded};
};

} // namespace orvane::kestrin
