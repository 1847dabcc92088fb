#include "platform/TaskbarList.h"

#include "platform/ComPtr.h"

#include <shobjidl.h>

namespace orvane::platform {
namespace {

void Check(HRESULT result) {
    if (FAILED(result)) throw TaskbarListError(result);
}

ComPtr<ITaskbarList> NewList() {
    ComPtr<ITaskbarList> list;
    Check(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                           reinterpret_cast<void**>(list.Put())));
    Check(list->HrInit());
    return list;
}

class WindowsTaskbarList final : public TaskbarList {
public:
    void DeleteTab(HWND window) override {
        Use([window](ITaskbarList* list) { return list->DeleteTab(window); });
    }
    void AddTab(HWND window) override {
        Use([window](ITaskbarList* list) { return list->AddTab(window); });
    }
    void Release() {
        if (owner_ != GetCurrentThreadId()) return;
        list_.Reset();
        owner_ = 0;
    }

private:
    // One object for the thread that made it first (the main thread, whose apartment holds
    // it); any other thread gets one of its own for the call.
    template <class Call> void Use(Call call) {
        if (list_ && owner_ != GetCurrentThreadId()) {
            Check(call(NewList().Get()));
            return;
        }
        if (!list_) {
            list_ = NewList();
            owner_ = GetCurrentThreadId();
        }
        const HRESULT result = call(list_.Get());
        // A refusal may come from an object that has lost the shell: the next call makes a
        // new one.
        if (FAILED(result)) Release();
        Check(result);
    }

    ComPtr<ITaskbarList> list_;
    DWORD owner_ = 0;
};

WindowsTaskbarList& List() {
    static WindowsTaskbarList list;
    return list;
}

} // namespace

template <> TaskbarList& Real<TaskbarList>() {
    return List();
}

void ReleaseTaskbarList() {
    List().Release();
}

} // namespace orvane::platform
