#include "kestrin/KestrinForm.h"

#include "kestrin/AppFile.h"
#include "kestrin/BlueIcon.h"
#include "kestrin/OrvaneChannel.h"
#include "kestrin/Texts.h"
#include "platform/Dialogs.h"
#include "platform/FileDialogs.h"
#include "platform/TaskbarList.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"

#include <algorithm>

namespace orvane::kestrin {
namespace {

void Tell(HWND owner, const std::wstring& text) {
    platform::Use<platform::Dialogs>().ShowMessageBox(owner, text, texts::AppTitle,
                                                      MB_OK | MB_ICONWARNING);
}

ui::Font FormFont() {
    ui::Font font;
    font.Height = -13;
    return font;
}

// The image path of the window's process; empty when it cannot be read.
std::wstring ProcessPathOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return platform::ProcessImagePath(processId);
}

} // namespace

TKestrinForm::TKestrinForm(const std::wstring& dataFolder)
    : ui::Form(nullptr, protocol::CompanionClass), dataFolder_(dataFolder), file_(dataFolder) {
    SetCaption(texts::Caption);
    SetFont(FormFont());
    SetFixedBorder(true, false);
    TabNavigation = true;
    SetClientSize(560, 336);
    CenterOnScreen();

    ListView1.SetBounds(8, 8, 544, 200);
    ListView1.AddColumn(texts::ColumnApp, 300);
    ListView1.AddColumn(texts::ColumnText, 150);
    ListView1.AddColumn(texts::ColumnTaskBar, 86);
    ListView1.OnSelect = [this] { ListView1Select(); };
    BtnAdd.SetBounds(8, 216, 96, 26);
    BtnAdd.SetText(texts::BtnAdd);
    BtnAdd.OnClick = [this] { BtnAddClick(); };
    BtnDelete.SetBounds(112, 216, 96, 26);
    BtnDelete.SetText(texts::BtnDelete);
    BtnDelete.OnClick = [this] { BtnDeleteClick(); };
    CheckBoxShowOnTaskBar.SetBounds(8, 252, 400, 20);
    CheckBoxShowOnTaskBar.SetText(texts::ShowOnTaskBar);
    CheckBoxShowOnTaskBar.OnClick = [this] { CheckBoxShowOnTaskBarClick(); };
    LblBeforeStartText.SetBounds(8, 282, 150, 20);
    LblBeforeStartText.SetText(texts::BeforeStartText);
    EditBeforeStartText.SetBounds(160, 278, 308, 24);
    BtnSetText.SetBounds(476, 277, 76, 26);
    BtnSetText.SetText(texts::BtnSetText);
    BtnSetText.OnClick = [this] { BtnSetTextClick(); };
    CheckBoxBeforeStart.SetBounds(8, 310, 400, 20);
    CheckBoxBeforeStart.SetText(texts::BeforeStart);
    CheckBoxBeforeStart.OnClick = [this] { CheckBoxBeforeStartClick(); };
    EditReceveMsg.SetControlId(protocol::CompanionChannel);
    EditReceveMsg.Hide();
    EditReceveMsg.OnChange = [this] { EditReceveMsgChange(); };

    LoadList();
}

void TKestrinForm::Start(int showCommand) {
    // Wine shows a window for SW_SHOWDEFAULT normally whatever the starter asked.
    if (showCommand == SW_SHOWDEFAULT) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        GetStartupInfoW(&startup);
        showCommand = startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : SW_SHOWNORMAL;
    }
    ShowWindow(Handle(), showCommand);
    SendToOrvane(protocol::SetTaskTrayEnd);
    WatchOrvane();
}

void TKestrinForm::WatchOrvane() {
    if (const HWND edit = FindOrvaneEdit()) watch_.Watch(GetAncestor(edit, GA_ROOT));
}

LRESULT TKestrinForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == OrvaneEnded) {
        GiveButtonsBack();
        return 0;
    }
    // A new Orvane restores the running Kestrin through a second copy.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) WatchOrvane();
    return Form::WndProc(message, wParam, lParam);
}

void TKestrinForm::GiveButtonsBack() {
    struct Search {
        const KestrinList* list;
        std::vector<HWND> found;
    } search{&list_, {}};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
            const std::wstring path = platform::Lowered(ProcessPathOf(window));
            for (const KestrinEntry& item : s->list->Items)
                if (!path.empty() && path == platform::Lowered(item.FileName))
                    s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found)
        ui::Guarded([window] { platform::Use<platform::TaskbarList>().AddTab(window); });
}

void TKestrinForm::LoadList() {
    list_ = file_.Load();
    storedIcons_ = std::max(storedIcons_, static_cast<std::int32_t>(list_.Items.size()));
    CheckBoxBeforeStart.SetCheckedSilently(list_.KestrinBeforeStart);
    ShowList(-1);
}

void TKestrinForm::ShowList(int select) {
    ListView1.Clear();
    for (const KestrinEntry& item : list_.Items) {
        const platform::UniqueIcon icon = AppIcon(item.FileName);
        ListView1.AddItem(
            {item.FileName, item.BeforeStartText, item.IsShowOnTaskBar ? texts::TaskBarShown : L""},
            icon.Get());
    }
    ListView1.SetItemIndex(select);
    ListView1Select();
}

const KestrinEntry* TKestrinForm::SelectedItem() const {
    const int index = ListView1.ItemIndex();
    if (index < 0 || static_cast<size_t>(index) >= list_.Items.size()) return nullptr;
    return &list_.Items[static_cast<size_t>(index)];
}

void TKestrinForm::Store(KestrinList list, int select) {
    try {
        file_.Save(list);
    } catch (const ProfileWriteError&) {
        // The list stays as it was stored, and so does Orvane's.
        Tell(Handle(), texts::SaveFailed);
        ShowList(ListView1.ItemIndex());
        return;
    }
    list_ = std::move(list);
    const auto count = static_cast<std::int32_t>(list_.Items.size());
    for (std::int32_t i = 0; i < count; ++i)
        WriteBlueIcon(BlueIconPath(dataFolder_, i), list_.Items[static_cast<size_t>(i)].FileName);
    for (std::int32_t i = count; i < storedIcons_; ++i)
        DeleteFileW(BlueIconPath(dataFolder_, i).c_str());
    storedIcons_ = count;
    ShowList(select);
    SendToOrvane(protocol::Changed);
}

void TKestrinForm::BtnAddClick() {
    const std::wstring filter(texts::OpenFilter, std::size(texts::OpenFilter) - 1);
    if (const auto path =
            platform::Use<platform::FileDialogs>().OpenFile(Handle(), texts::OpenTitle, filter)) {
        AddApp(*path);
    }
}

void TKestrinForm::AddApp(const std::wstring& path) {
    if (!IsExecutableFile(path)) {
        Tell(Handle(), std::wstring(texts::NotExecutable) + L"\r" + path);
        return;
    }
    for (const KestrinEntry& item : list_.Items) {
        if (SamePath(item.FileName, path)) {
            Tell(Handle(), std::wstring(texts::AlreadyListed) + L"\r" + path);
            return;
        }
    }
    KestrinList list = list_;
    list.Items.push_back({});
    list.Items.back().FileName = path;
    Store(std::move(list), static_cast<int>(list_.Items.size()));
}

void TKestrinForm::BtnDeleteClick() {
    const int index = ListView1.ItemIndex();
    if (!SelectedItem()) return;
    KestrinList list = list_;
    list.Items.erase(list.Items.begin() + index);
    // Read before the list is handed over.
    const int selected = std::min(index, static_cast<int>(list.Items.size()) - 1);
    Store(std::move(list), selected);
}

void TKestrinForm::CheckBoxShowOnTaskBarClick() {
    const KestrinEntry* item = SelectedItem();
    if (!item || item->IsShowOnTaskBar == CheckBoxShowOnTaskBar.Checked()) return;
    KestrinList list = list_;
    list.Items[static_cast<size_t>(ListView1.ItemIndex())].IsShowOnTaskBar =
        CheckBoxShowOnTaskBar.Checked();
    Store(std::move(list), ListView1.ItemIndex());
}

void TKestrinForm::BtnSetTextClick() {
    const KestrinEntry* item = SelectedItem();
    if (!item || item->BeforeStartText == EditBeforeStartText.Text()) return;
    KestrinList list = list_;
    list.Items[static_cast<size_t>(ListView1.ItemIndex())].BeforeStartText =
        EditBeforeStartText.Text();
    Store(std::move(list), ListView1.ItemIndex());
}

void TKestrinForm::CheckBoxBeforeStartClick() {
    if (list_.KestrinBeforeStart == CheckBoxBeforeStart.Checked()) return;
    KestrinList list = list_;
    list.KestrinBeforeStart = CheckBoxBeforeStart.Checked();
    Store(std::move(list), ListView1.ItemIndex());
}

void TKestrinForm::ListView1Select() {
    const KestrinEntry* item = SelectedItem();
    BtnDelete.SetEnabled(item != nullptr);
    CheckBoxShowOnTaskBar.SetEnabled(item != nullptr);
    EditBeforeStartText.SetEnabled(item != nullptr);
    BtnSetText.SetEnabled(item != nullptr);
    CheckBoxShowOnTaskBar.SetCheckedSilently(item && item->IsShowOnTaskBar);
    EditBeforeStartText.SetText(item ? item->BeforeStartText : L"");
}

void TKestrinForm::EditReceveMsgChange() {
    if (EditReceveMsg.Text() != protocol::Changed) return;
    WatchOrvane();
    // Clearing runs this handler again with an empty text, which does nothing.
    EditReceveMsg.SetText(L"");
    const int selected = ListView1.ItemIndex();
    LoadList();
    ListView1.SetItemIndex(std::min(selected, static_cast<int>(list_.Items.size()) - 1));
}

} // namespace orvane::kestrin
