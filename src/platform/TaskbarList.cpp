#include "platform/TaskbarList.h"

#include <shobjidl.h>

namespace orvane::platform {
namespace {

void Check(HRESULT result) {
    if (FAILED(result)) throw TaskbarListError(result);
}

class WindowsTaskbarList final : public TaskbarList {
public:
    void DeleteTab(HWND window) override {
        Use([window](ITaskbarList* list) { return list->DeleteTab(window); });
    }
    void AddTab(HWND window) override {
        Use([window](ITaskbarList* list) { return list->AddTab(window); });
    }

private:
    // A new object for every call, released on every way out.
    template <class Call> static void Use(Call call) {
        ITaskbarList* list = nullptr;
        Check(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                               reinterpret_cast<void**>(&list)));
        struct Release {
            ITaskbarList* list;
            ~Release() { list->Release(); }
        } release{list};
        Check(list->HrInit());
        Check(call(list));
    }
};

} // namespace

template <> TaskbarList& Real<TaskbarList>() {
    static WindowsTaskbarList list;
    return list;
}

} // namespace orvane::platform
