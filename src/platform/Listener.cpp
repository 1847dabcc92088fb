#include "platform/Listener.h"

#include "platform/Handles.h"

#include <exception>
#include <stdexcept>

namespace orvane::platform {
namespace {

// A job from Run: wParam points to the Job.
constexpr UINT RunMessage = WM_APP;

struct Job {
    const std::function<void()>& work;
    HANDLE done;
    std::exception_ptr error;
};

} // namespace

Listener::Listener() {
    const UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_ = CreateThread(
        nullptr, 0,
        [](void* ready) -> DWORD {
            MSG msg;
            // The queue exists before anyone posts to it.
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            SetEvent(static_cast<HANDLE>(ready));
            Loop();
            return 0;
        },
        ready.Get(), 0, &threadId_);
    if (!thread_ || !ready) throw std::runtime_error("the listener thread did not start");
    WaitForSingleObject(ready.Get(), INFINITE);
}

Listener::~Listener() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
}

void Listener::Loop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd && msg.message == RunMessage) {
            Job& job = *reinterpret_cast<Job*>(msg.wParam);
            try {
                job.work();
            } catch (...) {
                job.error = std::current_exception();
            }
            SetEvent(job.done);
            continue;
        }
        DispatchMessageW(&msg);
    }
}

void Listener::Run(const std::function<void()>& work) {
    if (GetCurrentThreadId() == threadId_) {
        work();
        return;
    }
    const UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done) throw std::runtime_error("no event for the listener");
    Job job{work, done.Get(), nullptr};
    if (!PostThreadMessageW(threadId_, RunMessage, reinterpret_cast<WPARAM>(&job), 0))
        throw std::runtime_error("the listener thread is gone");
    HANDLE handle = done.Get();
    // The job may send to a window of this thread.
    while (MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_SENDMESSAGE, 0) != WAIT_OBJECT_0) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (job.error) std::rethrow_exception(job.error);
}

} // namespace orvane::platform
