#include "KestrinFixture.h"

#include "support/Screenshot.h"

namespace orvane::test {
namespace {

TEST_F(KestrinTest, ScreenshotWithTwoItems) {
    Add(SystemProgram(L"notepad.exe"));
    Add(SystemProgram(L"winemine.exe"));
    form.EditBeforeStartText.SetText(L"設定の編集");
    form.BtnSetTextClick();
    form.CheckBoxShowOnTaskBar.SetChecked(true);
    form.Start(SW_SHOWNORMAL);
    Settle();

    const ui::Bitmap picture = Capture(form.Handle());
    EXPECT_GT(Colours(picture), 4);
    WriteBmp(picture, PictureFolder() + L"kestrin.bmp");
    EXPECT_TRUE(dialogs.shown.empty());
    form.Hide();
}

} // namespace
} // namespace orvane::test
