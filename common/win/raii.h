#pragma once

#include <windows.h>

#include "win/probe.h"

// A probe build's owners count (see probe.h) and the plain ones do not; their own namespaces
// keep the two kinds apart when a probe program links plain code, such as the common library.
#ifdef CLOCKS_PROBE
inline namespace probed {
#else
inline namespace plain {
#endif

// Owners for the handles the programs hold, so every exit path releases them. A probe build
// counts what they hold (Kind) so the soak scenarios can see a leak.
template <typename T, T Invalid, void (*Close)(T), ProbeKind Kind = ProbeKind::None>
class Owned {
 public:
  Owned() = default;
  explicit Owned(T handle) { reset(handle); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept { reset(other.release()); }
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~Owned() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  T release() {
    T handle = handle_;
    if (handle_ != Invalid) ProbeAdd(Kind, -1);
    handle_ = Invalid;
    return handle;
  }
  void reset(T handle = Invalid) {
    if (handle_ != Invalid) {
      Close(handle_);
      ProbeAdd(Kind, -1);
    }
    handle_ = handle;
    if (handle_ != Invalid) ProbeAdd(Kind, 1);
  }

 private:
  T handle_ = Invalid;
};

namespace raii_detail {
template <typename T>
inline void DeleteGdi(T h) {
  DeleteObject(h);
}
inline void DeleteMemoryDc(HDC h) { DeleteDC(h); }
inline void CloseKey(HKEY h) { RegCloseKey(h); }
inline void CloseKernel(HANDLE h) { CloseHandle(h); }
inline void DestroyIconHandle(HICON h) { DestroyIcon(h); }
inline void DestroyMenuHandle(HMENU h) { DestroyMenu(h); }
}  // namespace raii_detail

template <typename T>
using Gdi = Owned<T, nullptr, raii_detail::DeleteGdi<T>, ProbeKind::Gdi>;
using MemoryDc = Owned<HDC, nullptr, raii_detail::DeleteMemoryDc, ProbeKind::Gdi>;
using RegKey = Owned<HKEY, nullptr, raii_detail::CloseKey, ProbeKind::Kernel>;
using Handle = Owned<HANDLE, nullptr, raii_detail::CloseKernel, ProbeKind::Kernel>;
using Icon = Owned<HICON, nullptr, raii_detail::DestroyIconHandle, ProbeKind::User>;
using Menu = Owned<HMENU, nullptr, raii_detail::DestroyMenuHandle, ProbeKind::User>;

// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : handle_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  HANDLE get() const { return handle_.get(); }
  explicit operator bool() const { return static_cast<bool>(handle_); }

 private:
  Handle handle_;
};

// The DC of a window, released to it on scope exit.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
    if (dc_) ProbeAdd(ProbeKind::Gdi, 1);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) {
      ReleaseDC(hwnd_, dc_);
      ProbeAdd(ProbeKind::Gdi, -1);
    }
  }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { BeginPaint(hwnd, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  HDC get() const { return ps_.hdc; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back on scope exit, so the object can
// be deleted safely afterwards.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace
