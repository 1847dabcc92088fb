#pragma once
// The About window: product name, version, emblem, credit line and the author's page.

#include "core/DozedeR64Form.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"

namespace orvane {

class TForm2 : public ui::Form {
public:
    explicit TForm2(TDozedeR64Form& main);
    ~TForm2() override;

    ui::Label Label1;
    ui::Label Label2;
    ui::Image Image1;
    ui::Label LblURL;
    ui::Label Label3;

    void FormShow();
    void FormMouseMove();
    void LblURLMouseMove();
    void LblURLClick();

private:
    void SetLinkColor(COLORREF color);

    TDozedeR64Form& Main;
};

} // namespace orvane
