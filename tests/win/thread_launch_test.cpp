// The launcher of the threads nobody joins: the body runs elsewhere and is let go when it ends,
// and a thread's stack, given back below its frame, still serves deeper calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "win/handles.h"
#include "win/thread_launch.h"

namespace wolumetr::test {
namespace {

// Touches about `depth` KiB of stack below the caller and sums what it wrote there.
std::uint64_t Descend(int depth) {
  std::array<volatile std::uint8_t, 1024> block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(depth + i);
  const std::uint64_t below = depth > 1 ? Descend(depth - 1) : 0;
  std::uint64_t sum = below;
  for (std::size_t i = 0; i < block.size(); ++i) sum += block[i];
  return sum;
}

std::uint64_t Expected(int depth) {
  std::uint64_t sum = 0;
  for (int d = 1; d <= depth; ++d) {
    for (std::size_t i = 0; i < 1024; ++i) sum += static_cast<std::uint8_t>(d + i);
  }
  return sum;
}

TEST(ThreadLaunch, RunsTheBodyOnItsOwnSmallThreadAndLetsItGo) {
  const win::KernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  auto held = std::make_shared<int>(7);
  const std::weak_ptr<int> watch = held;
  DWORD bodyThread = 0;
  std::uint64_t deep = 0;
  win::StartDetachedThread(
      [&, held = std::move(held), event = done.get()] {
        bodyThread = GetCurrentThreadId();
        deep = Descend(40) + static_cast<std::uint64_t>(*held) - 7;  // 40 KiB fits the small stack
        SetEvent(event);
      },
      win::kSmallThreadStack);
  ASSERT_EQ(WaitForSingleObject(done.get(), 5000), WAIT_OBJECT_0);
  EXPECT_NE(bodyThread, GetCurrentThreadId());
  EXPECT_EQ(deep, Expected(40));
  for (int i = 0; i < 100 && !watch.expired(); ++i) Sleep(10);
  EXPECT_TRUE(watch.expired()) << "the body and what it holds go when the thread ends";
}

TEST(ThreadLaunch, GivesBackOnlyPagesBelowTheFrameThatStayUsable) {
  std::array<volatile std::uint8_t, 8192> frame{};
  for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 7);

  MEMORY_BASIC_INFORMATION stack{};
  ASSERT_NE(VirtualQuery(const_cast<std::uint8_t*>(&frame[0]), &stack, sizeof stack), 0u);
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  MEMORY_BASIC_INFORMATION foot{};
  const auto base = reinterpret_cast<std::uintptr_t>(stack.AllocationBase);
  ASSERT_NE(VirtualQuery(reinterpret_cast<void*>(base + 3 * system.dwPageSize), &foot, sizeof foot), 0u);
  const bool committedUpFront = foot.State == MEM_COMMIT;

  const std::size_t given = win::ReleaseUnusedStack(16 * 1024);
  EXPECT_EQ(given % system.dwPageSize, 0u);
  // A stack committed whole (Wine) is given back below the frame; one committed as touched has nothing to give.
  EXPECT_EQ(given > 0, committedUpFront);
  for (std::size_t i = 0; i < frame.size(); ++i) ASSERT_EQ(frame[i], static_cast<std::uint8_t>(i * 7)) << i;
  EXPECT_EQ(Descend(200), Expected(200)) << "pages given back serve deeper calls";
}

}  // namespace
}  // namespace wolumetr::test
