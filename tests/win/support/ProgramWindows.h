#pragma once
// The program's three windows, made in the order and the way the program makes them.
#include "about/Form2.h"
#include "core/DozedeR64Form.h"
#include "platform/ui/Application.h"
#include "settings/Form3.h"

namespace orvane::test {

struct ProgramWindows {
    ProgramWindows() {
        main.Form2 = &about;
        main.Form3 = &settings;
        ui::Guarded([this] { settings.FormCreate(); });
    }
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TDozedeR64Form main;
    TForm2 about{main};
    TForm3 settings{main, about};
};

} // namespace orvane::test
