// Start-up of Windows programs side by side: starts each program in turn,
// ROUNDS times interleaved, and takes the milliseconds from the start of its
// process to its first visible top-level window; then ends it. Prints each
// program's median and its ratio to the first program's (the floor). Only
// ratios from one run mean anything.
//
//   windows_map_time ROUNDS PROGRAM...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process = 0;
  bool found = false;
};

BOOL CALLBACK VisibleWindowOf(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && IsWindowVisible(window) &&
      GetWindow(window, GW_OWNER) == nullptr) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// The time to the first visible window, or a negative value when none came
// within ten seconds.
double TimeToWindow(const std::wstring& program) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return -1;
  double result = -1;
  Search search{process.dwProcessId};
  for (;;) {
    EnumWindows(VisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found) {
      result = Milliseconds(start, now, frequency);
      break;
    }
    if (Milliseconds(start, now, frequency) > 10000 ||
        WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
      break;
    Sleep(1);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Sleep(200);  // the window system settles before the next start
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: %ls ROUNDS PROGRAM...\n", argv[0]);
    return 2;
  }
  const int rounds = std::max(1, _wtoi(argv[1]));
  std::vector<std::wstring> programs(argv + 2, argv + argc);
  std::vector<std::vector<double>> times(programs.size());
  for (int round = 0; round < rounds; ++round)
    for (size_t i = 0; i < programs.size(); ++i) {
      const double ms = TimeToWindow(programs[i]);
      if (ms >= 0) times[i].push_back(ms);
    }
  const double floor = Median(times[0]);
  for (size_t i = 0; i < programs.size(); ++i) {
    const double median = Median(times[i]);
    std::wprintf(L"%-40ls %8.1f ms  %5.2fx  (%zu of %d rounds)\n", programs[i].c_str(), median,
                 floor > 0 ? median / floor : 0.0, times[i].size(), rounds);
  }
  return 0;
}
