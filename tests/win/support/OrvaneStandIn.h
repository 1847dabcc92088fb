#pragma once
// A stand-in for Orvane's main window as the companion looks for it: class "OrvaneForm" with
// the edit control 1000, recording every text written into it.
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

#include <string>
#include <vector>

namespace orvane::test {

struct OrvaneStandIn {
    OrvaneStandIn() {
        edit.SetControlId(1000);
        edit.OnChange = [this] {
            const std::wstring text = edit.Text();
            if (text.empty()) return;
            received.push_back(text);
            edit.SetText(L"");
        };
    }
    OrvaneStandIn(const OrvaneStandIn&) = delete;
    OrvaneStandIn& operator=(const OrvaneStandIn&) = delete;

    ui::Form form;
    ui::Edit edit{form};
    std::vector<std::wstring> received;
};

} // namespace orvane::test
