#include "e2e_support.h"

#include "line_file.h"
#include "win/raii.h"
#include "win/system.h"

std::wstring DriverFolder() { return GetModuleFolder(); }

Program::Program(const std::wstring& exeName, const std::wstring& arguments,
                 std::optional<WORD> show) {
  std::wstring path = DriverFolder() + exeName;
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (show) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *show;
  }
  PROCESS_INFORMATION info{};
  if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     DriverFolder().c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

Program::~Program() {
  if (!process_) return;
  // Ending is asynchronous: wait, so a program cut off half-way through a save cannot write
  // after the scenario's guards have put the folder back.
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT && TerminateProcess(process_, 1))
    WaitForSingleObject(process_, 10000);
  CloseHandle(process_);
}

std::vector<HWND> Program::Windows(const wchar_t* className, const wchar_t* caption) const {
  struct Query {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* caption;
    std::vector<HWND> found;
  } query{id_, className, caption, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        wchar_t name[128] = {};
        GetClassNameW(hwnd, name, 128);
        if (pid == q->pid && IsWindowVisible(hwnd) && wcscmp(name, q->cls) == 0 &&
            (!q->caption || WindowTitle(hwnd) == q->caption))
          q->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND Program::Window(const wchar_t* className, const wchar_t* caption) const {
  std::vector<HWND> found = Windows(className, caption);
  return found.empty() ? nullptr : found.front();
}

HWND Program::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = Window(className)) != nullptr; }, timeoutMs);
  return found;
}

bool Program::WaitForExit(DWORD timeoutMs) const {
  return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

std::wstring WindowTitle(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

Screenshot CaptureScreen(RECT area) {
  WindowDc screen(nullptr);
  return CaptureDc(screen.get(), area.left, area.top, area.right - area.left,
                   area.bottom - area.top);
}

RECT ClientOnScreen(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

Screenshot LoadProgramBitmap(const std::wstring& exeName, int id) {
  HMODULE module = LoadLibraryExW((DriverFolder() + exeName).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return {};
  Gdi<HBITMAP> bitmap(LoadBitmapW(module, MAKEINTRESOURCEW(id)));
  Screenshot shot = bitmap ? CaptureBitmap(bitmap.get()) : Screenshot{};
  FreeLibrary(module);
  return shot;
}

Screenshot LoadBitmapFile(const std::wstring& fileName) {
  Gdi<HBITMAP> bitmap(
      static_cast<HBITMAP>(LoadImageW(nullptr, (DriverFolder() + fileName).c_str(), IMAGE_BITMAP, 0,
                                      0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  return bitmap ? CaptureBitmap(bitmap.get()) : Screenshot{};
}
