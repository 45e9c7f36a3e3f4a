#include "platform/system/ProgramArguments.h"

#include <QString>

#include "platform/system/NativeWindows.h"

namespace mirto {

QStringList ProgramArguments(int argc, char** argv) {
  QStringList arguments;
#if defined(_WIN32)
  Q_UNUSED(argc);
  Q_UNUSED(argv);
  int count = 0;
  LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (words == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments << QString::fromWCharArray(words[i]);
  ::LocalFree(words);
#else
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
#endif
  return arguments;
}

}  // namespace mirto
