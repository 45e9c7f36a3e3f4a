#include <gtest/gtest.h>

#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/system/StartupHeap.h"

namespace mirto {
namespace {

// The flags the system keeps for the mapping that holds the address, as
// /proc/self/smaps lists them ("hg": large pages asked for).
QByteArray MappingFlags(std::uintptr_t address) {
  QFile smaps(QStringLiteral("/proc/self/smaps"));
  if (!smaps.open(QIODevice::ReadOnly)) return {};
  bool inside = false;
  for (QByteArray line = smaps.readLine(); !line.isEmpty(); line = smaps.readLine()) {
    const int dash = line.indexOf('-');
    const int space = line.indexOf(' ');
    if (dash > 0 && space > dash && !line.startsWith("VmFlags")) {
      bool fromOk = false;
      bool toOk = false;
      const auto from = line.left(dash).toULongLong(&fromOk, 16);
      const auto to = line.mid(dash + 1, space - dash - 1).toULongLong(&toOk, 16);
      if (fromOk && toOk && from <= address && address < to) inside = true;
    } else if (inside && line.startsWith("VmFlags:")) {
      return line.mid(8).trimmed();
    }
  }
  return {};
}

TEST(StartupHeap, TheNextBlocksComeFromTheLargePageOnce) {
  if (!StartupHeapSupported() ||
      !QFile::exists(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled")))
    GTEST_SKIP() << "no large pages for the heap here (system, allocator or sanitizer)";
  void* start = PrepareStartupHeap();
  ASSERT_NE(start, nullptr);
  const auto large = reinterpret_cast<std::uintptr_t>(start);
  EXPECT_EQ(large % kStartupHeapBytes, 0u);
  EXPECT_TRUE(MappingFlags(large).split(' ').contains("hg")) << MappingFlags(large).constData();

  // A block bigger than any freed one so far comes from the heap's end,
  // which now starts in the page just below the large one.
  constexpr std::size_t kBlock = 256 << 10;
  const std::unique_ptr<char, decltype(&std::free)> block(static_cast<char*>(std::malloc(kBlock)),
                                                          &std::free);
  ASSERT_NE(block, nullptr);
  const auto at = reinterpret_cast<std::uintptr_t>(block.get());
  EXPECT_GE(at, large - 4096);
  EXPECT_LE(at + kBlock, large + kStartupHeapBytes);
  std::memset(block.get(), 0x5a, kBlock);

  EXPECT_EQ(PrepareStartupHeap(), nullptr) << "the heap is prepared once a process";
}

}  // namespace
}  // namespace mirto
