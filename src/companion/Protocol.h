#pragma once
// The channel between Orvane and its companion Kestrin: each program's main window holds a
// hidden edit control that the other program writes these texts into (WM_SETTEXT). And the
// lock around the file they share.

namespace orvane::protocol {

// Orvane's main window is of the toolkit's form class.
inline constexpr wchar_t OrvaneClass[] = L"OrvaneForm";
inline constexpr int OrvaneChannel = 1000;
inline constexpr wchar_t CompanionClass[] = L"TKestrinForm";
inline constexpr int CompanionChannel = 2000;

// From the companion: it has started, and: its list changed. From Orvane: Kestrin.ini changed.
inline constexpr wchar_t SetTaskTrayEnd[] = L"SetTaskTrayEnd";
inline constexpr wchar_t Changed[] = L"Changed";

// Held by either program for every read-modify-write of Kestrin.ini.
inline constexpr wchar_t KestrinFileLock[] = L"Local\\KelmoraKestrinIniLock";
// How long a writer waits for the other program's write to end.
inline constexpr unsigned KestrinFileLockWait = 5000;

} // namespace orvane::protocol
