#include "platform/system/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>
#include <array>

#include "platform/system/NativeWindows.h"
#include "platform/system/WindowsExecutable.h"

namespace mirto {

namespace {

TShellExecuteHook& Hook() {
  static TShellExecuteHook hook;
  return hook;
}

bool IsWebAddress(const QString& file) {
  static constexpr std::array<QStringView, 3> kPrefixes = {u"http://", u"https://", u"mailto:"};
  for (QStringView prefix : kPrefixes) {
    if (file.startsWith(prefix, Qt::CaseInsensitive) && file.size() > prefix.size()) return true;
  }
  return false;
}

#if !defined(_WIN32)

bool IsOpenOperation(const QString& operation) {
  return operation.isEmpty() || operation.compare(u"open", Qt::CaseInsensitive) == 0;
}

// Opening needs the desktop services of a GUI application object.
bool CanOpenWithDesktop() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

std::intptr_t OpenWithDesktop(const QUrl& url) {
  if (!CanOpenWithDesktop()) return SE_ERR_NOASSOC;
  return QDesktopServices::openUrl(url) ? ShellExecuteSucceeded : SE_ERR_NOASSOC;
}

std::intptr_t StartDetached(const QString& program, const QStringList& arguments,
                            const QString& directory) {
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  if (!directory.isEmpty()) {
    const QFileInfo folder(directory);
    if (!folder.isDir()) return SE_ERR_PNF;
    process.setWorkingDirectory(folder.absoluteFilePath());
  }
  return process.startDetached() ? ShellExecuteSucceeded : SE_ERR_FNF;
}

// A Windows program starts through the wine program on the PATH, in the
// working folder asked for or else in its own folder; without Wine nothing
// can start it.
std::intptr_t StartThroughWine(const QString& executable, const QStringList& arguments,
                               const QString& directory) {
  const QString wine = FindWine();
  if (wine.isEmpty()) return SE_ERR_NOASSOC;
  const TWineCommand command = WineCommand(wine, executable, arguments);
  return StartDetached(command.Program, command.Arguments,
                       directory.isEmpty() ? QFileInfo(executable).absolutePath() : directory);
}

std::intptr_t PerformOpen(const QString& file, const QString& parameters,
                          const QString& directory) {
  const TShellTarget target = ResolveShellTarget(file, directory);
  switch (target.Kind) {
    case stkWebAddress:
      return OpenWithDesktop(QUrl(target.Location, QUrl::TolerantMode));
    case stkFolder:
    case stkDocument:
      return OpenWithDesktop(QUrl::fromLocalFile(target.Location));
    case stkExecutable:
      return StartDetached(target.Location, QProcess::splitCommand(parameters), directory);
    case stkWindowsProgram:
      return StartThroughWine(target.Location, QProcess::splitCommand(parameters), directory);
    case stkMissing:
      break;
  }
  return SE_ERR_FNF;
}

#endif

}  // namespace

const char16_t* ShellArgumentText(const QString& text) {
  return text.isEmpty() ? u"" : reinterpret_cast<const char16_t*>(text.utf16());
}

TShellTarget ResolveShellTarget(const QString& file, const QString& directory) {
  if (file.isEmpty() || file.contains(QChar(u'\0'))) return {stkMissing, file};
  if (IsWebAddress(file)) return {stkWebAddress, file};

  // Relative names are taken from the working folder; QDir keeps every
  // character of the name, a leading "-" included, and the result is
  // absolute, so nothing downstream can mistake it for an option.
  const QDir base(directory.isEmpty() ? QDir::currentPath() : directory);
  const QFileInfo info(base.absoluteFilePath(file));
  const QString location = QDir::cleanPath(info.absoluteFilePath());
  if (!info.exists()) return {stkMissing, location};
  if (info.isDir()) return {stkFolder, location};
  // By its content, before the execute bit: files unpacked from a Windows
  // archive usually have none, and with one the system could not run them.
  if (StartsThroughWine(location)) return {stkWindowsProgram, location};
  if (info.isExecutable()) return {stkExecutable, location};
  return {stkDocument, location};
}

TShellExecuteHook SetShellExecuteHook(TShellExecuteHook hook) {
  TShellExecuteHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

std::intptr_t ShellExecuteW(TWindowHandle owner, const QString& operation, const QString& file,
                            const QString& parameters, const QString& directory, int showCmd) {
  if (const TShellExecuteHook& hook = Hook()) {
    return hook(TShellExecuteRequest{owner, operation, file, parameters, directory, showCmd});
  }
#if defined(_WIN32)
  // An absent operation asks for the default one, which is "open".
  auto absentWhenEmpty = [](const QString& text) -> LPCWSTR {
    return text.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(text.utf16());
  };
  auto argument = [](const QString& text) {
    return reinterpret_cast<LPCWSTR>(ShellArgumentText(text));
  };
  return reinterpret_cast<std::intptr_t>(
      ::ShellExecuteW(reinterpret_cast<HWND>(owner), absentWhenEmpty(operation),
                      absentWhenEmpty(file), argument(parameters), argument(directory), showCmd));
#else
  Q_UNUSED(owner);
  Q_UNUSED(showCmd);
  if (!IsOpenOperation(operation)) return SE_ERR_NOASSOC;
  return PerformOpen(file, parameters, directory);
#endif
}

QString WindowsCommandLine(const QStringList& arguments) {
  QStringList quoted;
  for (const QString& argument : arguments) {
    const bool plain = !argument.isEmpty() && !argument.contains(u' ') &&
                       !argument.contains(u'\t') && !argument.contains(u'\n') &&
                       !argument.contains(u'\v') && !argument.contains(u'"');
    if (plain) {
      quoted << argument;
      continue;
    }
    QString text = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (const QChar c : argument) {
      if (c == u'\\') {
        ++backslashes;
        continue;
      }
      // Backslashes before a quote are doubled and the quote escaped;
      // elsewhere they stand for themselves.
      text += QString(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
      backslashes = 0;
      text += c;
    }
    text += QString(backslashes * 2, u'\\');  // before the closing quote
    text += u'"';
    quoted << text;
  }
  return quoted.join(u' ');
}

std::intptr_t ShellExecuteWithArguments(TWindowHandle owner, const QString& file,
                                        const QStringList& arguments, const QString& directory,
                                        int showCmd) {
  const QString commandLine = WindowsCommandLine(arguments);
  if (const TShellExecuteHook& hook = Hook()) {
    return hook(TShellExecuteRequest{owner, QStringLiteral("open"), file, commandLine, directory,
                                     showCmd, arguments});
  }
#if defined(_WIN32)
  return ShellExecuteW(owner, QStringLiteral("open"), file, commandLine, directory, showCmd);
#else
  Q_UNUSED(owner);
  Q_UNUSED(showCmd);
  const TShellTarget target = ResolveShellTarget(file, directory);
  if (target.Kind == stkMissing) return SE_ERR_FNF;
  if (target.Kind == stkWindowsProgram) {
    return StartThroughWine(target.Location, arguments, directory);
  }
  if (target.Kind != stkExecutable) return SE_ERR_NOASSOC;
  return StartDetached(target.Location, arguments, directory);
#endif
}

TShellExecuteRecorder::TShellExecuteRecorder(std::intptr_t result) {
  previous_ = SetShellExecuteHook([this, result](const TShellExecuteRequest& request) {
    requests_.push_back(request);
    return result;
  });
}

TShellExecuteRecorder::~TShellExecuteRecorder() { SetShellExecuteHook(std::move(previous_)); }

}  // namespace mirto
