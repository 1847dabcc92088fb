#pragma once
// The one place that pulls in the Windows headers for the platform layer.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
