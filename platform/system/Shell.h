#pragma once

// The shell's "open" service: starts an executable, opens a folder in the
// file manager, a document with its associated program or a web address in
// the default browser. Tests replace the service with a hook that records
// the requests instead of performing them.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace mirto {

// A native window handle as a pointer-sized integer; 0 stands for none.
using TWindowHandle = std::uintptr_t;

// The system's show commands and failure results, by their values.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;

// Failure results; success is any value above 32.
inline constexpr std::intptr_t SE_ERR_FNF = 2;       // file not found
inline constexpr std::intptr_t SE_ERR_PNF = 3;       // working folder not found
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;  // nothing can perform the operation

// The result the service reports when it did what it was asked.
inline constexpr std::intptr_t ShellExecuteSucceeded = 42;

struct TShellExecuteRequest {
  TWindowHandle Owner = 0;
  QString Operation;
  QString File;
  QString Parameters;
  QString Directory;
  int ShowCmd = 0;
  // The arguments one by one, for a start with arguments (Parameters then
  // holds them as one Windows command line).
  QStringList Arguments = {};
  friend bool operator==(const TShellExecuteRequest&, const TShellExecuteRequest&) = default;
};

// Performs operation ("open" or empty, which means the same) on file: an
// http, https or mailto address opens in the browser or mail program, a
// folder in the file manager, an executable file starts in a process of its
// own with directory as working folder and parameters split into arguments
// (never through a command interpreter), any other existing file opens with
// its associated program. Outside Windows a Windows executable (recognised
// by its content, IsWindowsExecutable) starts through the wine program on
// the PATH, detached, in directory or else in its own folder; without Wine
// it starts nothing (SE_ERR_NOASSOC). A relative file name is taken relative to
// directory, or to the current folder when directory is empty. Returns a
// value above 32 on success, otherwise one of the SE_ERR_ codes.
std::intptr_t ShellExecuteW(TWindowHandle owner, const QString& operation, const QString& file,
                            const QString& parameters, const QString& directory, int showCmd);

// Starts the executable file with arguments, each reaching the program as
// one argument exactly as given (blanks, quotes, a leading "-", "$(...)",
// line breaks, any letters), never through a command interpreter; directory
// is the working folder. Under Windows the system's "open" gets them as one
// command line (WindowsCommandLine). A file that is not an executable
// starts nothing (SE_ERR_NOASSOC). A Windows executable outside Windows
// starts through Wine as with ShellExecuteW, each absolute path among the
// arguments in its Windows form (WineCommand).
std::intptr_t ShellExecuteWithArguments(TWindowHandle owner, const QString& file,
                                        const QStringList& arguments, const QString& directory,
                                        int showCmd);

// The arguments as one command line that the Windows rules for splitting a
// command line turn back into exactly these arguments: an argument with a
// blank, tab, line break or quote (or an empty one) is put in quotes, a
// quote inside becomes \", and backslashes are doubled where they precede a
// quote.
QString WindowsCommandLine(const QStringList& arguments);

// While a hook is set, ShellExecuteW hands every request to it and returns
// its result instead of performing the request. Returns the previous hook;
// an empty hook restores the real service.
using TShellExecuteHook = std::function<std::intptr_t(const TShellExecuteRequest&)>;
TShellExecuteHook SetShellExecuteHook(TShellExecuteHook hook);

// How the service hands its texts to the system's call: the parameters and
// the working folder always reach it as texts, an empty one as an empty
// text, never as an absent argument.
const char16_t* ShellArgumentText(const QString& text);

// What a request would act on, as ShellExecuteW decides it.
enum class TShellTargetKind {
  stkWebAddress,
  stkFolder,
  stkExecutable,
  stkWindowsProgram,  // a Windows executable that this system starts through Wine
  stkDocument,
  stkMissing,
};
using enum TShellTargetKind;

struct TShellTarget {
  TShellTargetKind Kind = stkMissing;
  // The address as given for web addresses, otherwise the absolute path.
  QString Location;
};

TShellTarget ResolveShellTarget(const QString& file, const QString& directory);

// Records every shell request made during its lifetime instead of performing
// it, answering each with result; restores the previous hook when destroyed.
class TShellExecuteRecorder {
 public:
  explicit TShellExecuteRecorder(std::intptr_t result = ShellExecuteSucceeded);
  ~TShellExecuteRecorder();
  TShellExecuteRecorder(const TShellExecuteRecorder&) = delete;
  TShellExecuteRecorder& operator=(const TShellExecuteRecorder&) = delete;

  const std::vector<TShellExecuteRequest>& Requests() const { return requests_; }
  void Clear() { requests_.clear(); }

 private:
  std::vector<TShellExecuteRequest> requests_;
  TShellExecuteHook previous_;
};

}  // namespace mirto
