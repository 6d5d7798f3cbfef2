// Programs that a test starts: the one way to start a program, wait for one of its
// windows and wait for its end, and the visible top-level windows by caption and process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A path with forward slashes (as CMake writes them) in the form Windows programs take.
inline std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

struct TWindowSearch {
  const std::string& Caption;
  DWORD Pid;
  std::vector<HWND> Found;
};

inline BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM data) {
  auto* s = reinterpret_cast<TWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((s->Pid && owner != s->Pid) || !IsWindowVisible(window)) return TRUE;
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  if (s->Caption.empty() || s->Caption == text) s->Found.push_back(window);
  return TRUE;
}

// The visible top-level windows whose caption is caption (empty: any) of the process pid
// (0: any process), in z-order.
inline std::vector<HWND> VisibleWindows(const std::string& caption, DWORD pid = 0) {
  TWindowSearch search{caption, pid, {}};
  EnumWindows(&CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// One started program. It goes with the test: one still running when the object ends
// (a failed test left it so) is terminated, so that it holds nothing of the next test.
class TChildProcess {
public:
  // The exit code when the program did not end in time, and when it could not start.
  static constexpr DWORD NotEnded = 0xFFFFFFFE;
  static constexpr DWORD NotStarted = 0xFFFFFFFF;

  TChildProcess() = default;
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;
  ~TChildProcess() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 98);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }

  // Starts commandLine in folder (empty: the test's own). With output, the program's
  // standard output and error go there.
  bool Start(const std::string& commandLine, const std::string& folder = "", HANDLE output = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output) {
      startup.dwFlags = STARTF_USESTDHANDLES;
      startup.hStdOutput = output;
      startup.hStdError = output;
      startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    std::string line = commandLine;
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, output != nullptr, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != FALSE;
  }

  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  bool Running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

  // The program's exit code once it ended, or NotEnded after timeoutMs.
  DWORD WaitForExit(DWORD timeoutMs) {
    if (!info_.hProcess) return NotStarted;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return NotEnded;
    DWORD code = NotEnded;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

  // The first of the program's visible top-level windows whose caption found accepts;
  // nil after timeoutMs or when the program ended first.
  HWND WaitForWindow(const std::function<bool(const std::string&)>& found, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
      for (HWND window : VisibleWindows("", Id())) {
        char text[256] = "";
        GetWindowTextA(window, text, sizeof text);
        if (found(text)) return window;
      }
      if (!Running() || GetTickCount() - start >= timeoutMs) return nullptr;
      Sleep(20);
    }
  }
  HWND WaitForWindow(const std::string& caption, DWORD timeoutMs) {
    return WaitForWindow([&](const std::string& text) { return text == caption; }, timeoutMs);
  }

private:
  PROCESS_INFORMATION info_{};
};

// Runs commandLine to its end; its exit code, TChildProcess::NotStarted or NotEnded (the
// program is then terminated).
inline DWORD RunToEnd(const std::string& commandLine, DWORD timeoutMs = 30000) {
  TChildProcess process;
  if (!process.Start(commandLine)) return TChildProcess::NotStarted;
  return process.WaitForExit(timeoutMs);
}
