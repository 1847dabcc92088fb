#pragma once
#include "platform/Seam.h"
#include "platform/Win.h"

#include <stdexcept>

namespace orvane::platform {

// The taskbar's list of buttons, through the shell's taskbar-list object.
class TaskbarList {
public:
    virtual ~TaskbarList() = default;
    // Each raises TaskbarListError when the object cannot be made or refuses.
    virtual void DeleteTab(HWND window) = 0;
    virtual void AddTab(HWND window) = 0;
};

class TaskbarListError : public std::runtime_error {
public:
    explicit TaskbarListError(HRESULT result)
        : std::runtime_error("taskbar list failed"), result_(result) {}
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

template <> TaskbarList& Real<TaskbarList>();
// The real list keeps one object for the program's life; it goes before the component model
// is closed.
void ReleaseTaskbarList();

} // namespace orvane::platform
