#pragma once

#include <windows.h>

// The desk clock's own system-menu commands (low four bits clear, as the system requires).
constexpr UINT kCmdHideTitle = 0x10;
constexpr UINT kCmdStayOnTop = 0x20;
constexpr UINT kCmdAbout = 0x30;
constexpr UINT kCmdRunAway = 0x40;
constexpr UINT kCmdProperties = 0x50;
constexpr UINT kCmdStayDesktop = 0x60;
