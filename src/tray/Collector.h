#pragma once
// Where the shell's tray has no toolbar (Windows 11), the icons are collected: a hidden
// taskbar window of this program's own stays in front of the shell's, so every program's
// Shell_NotifyIconW reaches it first, and passes every message on to the shell unchanged.
// It lives on the listener thread and never waits on the user-interface thread.

#include "platform/Handles.h"
#include "platform/Win.h"
#include "tray/IconTable.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace orvane {

struct CollectedIcon {
    HWND window = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0;
    std::wstring tip;
    UINT version = 0;
    // The collector's own copy of the picture; null when the program gave none usable.
    std::shared_ptr<platform::UniqueIcon> picture;
};

// An icon's cell on the board, in screen coordinates, for programs that ask where their icon is.
struct CollectedCell {
    HWND window = nullptr;
    UINT id = 0;
    RECT rect{};
};

// Passes icon messages on to the shell from a thread of its own, in the order they came, so
// that a shell that does not answer holds up neither the programs nor the listener.
class ShellRelay {
public:
    ShellRelay();
    ShellRelay(const ShellRelay&) = delete;
    ShellRelay& operator=(const ShellRelay&) = delete;
    ~ShellRelay();
    void Send(HWND shell, WPARAM wParam, ULONG_PTR code, std::vector<std::uint8_t> bytes);

private:
    struct Block {
        HWND shell;
        WPARAM wParam;
        ULONG_PTR code;
        std::vector<std::uint8_t> bytes;
    };
    void Run();

    std::mutex lock_; // guards what follows
    std::condition_variable wake_;
    std::deque<Block> blocks_;
    std::size_t queuedBytes_ = 0;
    bool ending_ = false;
    std::thread thread_; // last: it starts once the rest exists
};

class Collector {
public:
    // Made and destroyed on the listener thread. Throws std::runtime_error when the window
    // cannot be made.
    Collector();
    Collector(const Collector&) = delete;
    Collector& operator=(const Collector&) = delete;
    ~Collector();

    HWND Window() const { return window_; }

    // From any thread. The icons shown, in the order they came; icons of windows that are
    // gone are dropped.
    std::vector<CollectedIcon> Icons();
    // The board's cells while it is shown; none while it is not.
    void SetCells(std::vector<CollectedCell> cells);

    // The message "TaskbarCreated" that the collector broadcasts carries its window here.
    static bool IsOwnBroadcast(WPARAM wParam);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCopyData(WPARAM wParam, const COPYDATASTRUCT& data);
    LRESULT OnAppBar(WPARAM wParam, const COPYDATASTRUCT& data);
    std::optional<LRESULT> IconRect(const COPYDATASTRUCT& data);
    LRESULT Forward(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ForwardCopy(WPARAM wParam, const COPYDATASTRUCT& data);
    void KeepInFront();
    void Broadcast();
    void TakePicture(const NotifyMessage& message);
    void UnregisterClasses();

    using Key = std::tuple<std::uint64_t, std::uint32_t, Guid>;
    static Key KeyOf(std::uint64_t window, std::uint32_t id, const std::optional<Guid>& guid);

    HWND window_ = nullptr;
    HWND shell_ = nullptr; // the shell's taskbar, which everything is passed on to
    UINT taskbarCreated_ = 0;
    bool ownsTaskbarClass_ = false;
    bool ownsNotifyClass_ = false;
    std::mutex lock_; // guards what follows
    IconTable table_;
    std::map<Key, std::shared_ptr<platform::UniqueIcon>> pictures_;
    std::vector<CollectedCell> cells_;
    ShellRelay relay_;
};

} // namespace orvane
