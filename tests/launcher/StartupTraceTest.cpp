#include <gtest/gtest.h>

#include <QByteArray>
#include <chrono>
#include <string>

#include "launcher/StartupTrace.h"

namespace mirto {
namespace {

// What a mark prints is what the start-up benchmark reads back.
TEST(StartupTrace, AMarkReadsBackWithItsPhaseTimesAndFaults) {
  const auto origin = std::chrono::steady_clock::now().time_since_epoch();
  qputenv("MIRTO_STARTUP_TRACE",
          QByteArray::number(static_cast<qlonglong>(
              std::chrono::duration_cast<std::chrono::nanoseconds>(origin).count())));
  if (!StartupTraceEnabled()) GTEST_SKIP() << "the trace was set up before this test ran";
  testing::internal::CaptureStderr();
  StartupMark("main window");
  std::string printed = testing::internal::GetCapturedStderr();
  ASSERT_FALSE(printed.empty());
  ASSERT_EQ(printed.back(), '\n');
  printed.pop_back();
  const std::optional<TStartupTraceLine> line = ParseStartupTraceLine(printed);
  ASSERT_TRUE(line.has_value()) << printed;
  EXPECT_EQ(line->phase, "main window");
  EXPECT_GE(line->ms, 0);
  EXPECT_LT(line->ms, 60'000) << "counted from the origin given, not from the process start";
  EXPECT_GT(line->processorMs, 0);
#if defined(__unix__)
  EXPECT_GT(line->pageFaults, 0);
#endif
}

TEST(StartupTrace, OtherLinesOnTheStreamAreNoMarks) {
  for (const char* other :
       {"", "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/x'", "12.5 30.25 812",
        "main 1.50 2.50", "main 1.50 2.50 12x", "main nan-ish 2.50 12"})
    EXPECT_FALSE(ParseStartupTraceLine(other).has_value()) << other;
  const std::optional<TStartupTraceLine> about = ParseStartupTraceLine("about window 12.50 30 -1");
  ASSERT_TRUE(about.has_value());
  EXPECT_EQ(about->phase, "about window");
  EXPECT_DOUBLE_EQ(about->ms, 12.5);
  EXPECT_DOUBLE_EQ(about->processorMs, 30);
  EXPECT_EQ(about->pageFaults, -1);
}

}  // namespace
}  // namespace mirto
