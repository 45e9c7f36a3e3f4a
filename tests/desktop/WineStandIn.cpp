// A Windows program that stands in for a converter of the collection in the
// real-desktop test of starts through Wine. Plain Win32, no toolkit: each
// start appends one line to wine-stand-in.log in the program's own folder,
// in UTF-8 and tab separated:
//   working folder, command line, number of arguments, then for each
//   argument the argument and "opened" or "not opened" (whether the program
//   could open it as a file for reading).
// The line is written with one call, so concurrent starts do not mix.

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

std::wstring WorkingFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  if (length > folder.size()) {
    folder.resize(length);
    length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  }
  folder.resize(length);
  return folder;
}

std::wstring OwnFolder() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

bool CanOpen(const wchar_t* file) {
  const HANDLE handle =
      CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

}  // namespace

int wmain() {
  const wchar_t* commandLine = GetCommandLineW();
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(commandLine, &count);

  std::string line = Utf8(WorkingFolder()) + '\t' + Utf8(commandLine) + '\t' +
                     std::to_string(count > 0 ? count - 1 : 0);
  for (int i = 1; i < count; ++i) {
    line += '\t' + Utf8(arguments[i]) + '\t' + (CanOpen(arguments[i]) ? "opened" : "not opened");
  }
  line += '\n';
  LocalFree(arguments);

  const std::wstring log = OwnFolder() + L"\\wine-stand-in.log";
  const HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == line.size() ? 0 : 1;
}
