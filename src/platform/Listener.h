#pragma once
#include "platform/Win.h"

#include <functional>

namespace orvane::platform {

// A thread that does nothing but take messages. What other programs wait on lives here (the
// low-level keyboard hook, the hook library's relay), so that they never wait on the
// user-interface thread. It never waits on that thread: it posts what it learns.
class Listener {
public:
    Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    // Ends the thread; what it still owns (hooks, windows) must have been taken down by Run.
    ~Listener();

    // Runs `job` on the listener thread and returns when it has run; messages sent to the
    // calling thread meanwhile are handled. An exception of the job is thrown here.
    void Run(const std::function<void()>& job);
    DWORD ThreadId() const { return threadId_; }

private:
    static void Loop();

    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

} // namespace orvane::platform
