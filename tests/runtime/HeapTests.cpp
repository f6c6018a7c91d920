#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "runtime/Heap.h"

namespace {

bool AllZero(const unsigned char* bytes, std::size_t size)
{
    return std::all_of(bytes, bytes + size, [](unsigned char byte) { return byte == 0; });
}

TEST(Heap, BlocksComeZeroFilledEvenWhenReused)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{24}, std::size_t{4096},
                             std::size_t{1} << 20}) {
        auto* first = static_cast<unsigned char*>(runtime::AllocateBlock(size));
        ASSERT_NE(first, nullptr);
        std::memset(first, 0xFF, size);
        runtime::ReleaseBlock(first);
        auto* second = static_cast<unsigned char*>(runtime::AllocateBlock(size));
        EXPECT_TRUE(AllZero(second, size)) << size;
        runtime::ReleaseBlock(second);
    }
    runtime::ReleaseBlock(nullptr);
}

TEST(Heap, NewGoesToTheHeapAndComesZeroFilled)
{
    auto* numbers = new int[64];
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(numbers[i], 0);
    delete[] numbers;
}

constexpr int WorkerRounds = 20000;

DWORD WINAPI AllocateAndRelease(void* seed)
{
    auto size = reinterpret_cast<std::uintptr_t>(seed);
    void* kept[8] = {};
    for (int round = 0; round < WorkerRounds; ++round) {
        void*& slot = kept[round % 8];
        runtime::ReleaseBlock(slot);
        size = (size * 1103515245u + 12345u) % 700 + 1;
        slot = runtime::AllocateBlock(size);
        if (!AllZero(static_cast<unsigned char*>(slot), size))
            return 1;
        std::memset(slot, 0xAB, size);
    }
    for (void* block : kept)
        runtime::ReleaseBlock(block);
    return 0;
}

// The heap has no lock of the platform's: from multi-threaded mode on its own
// lock keeps threads that allocate at once from corrupting it.
TEST(Heap, ThreadsAllocateAtOnceInMultiThreadedMode)
{
    runtime::EnterMultiThreadedMode();
    runtime::EnterMultiThreadedMode();
    EXPECT_TRUE(runtime::IsMultiThreaded());

    HANDLE threads[4] = {};
    for (std::uintptr_t i = 0; i < 4; ++i)
        threads[i] = CreateThread(nullptr, 0, &AllocateAndRelease, reinterpret_cast<void*>(i + 1), 0, nullptr);
    ASSERT_EQ(WaitForMultipleObjects(4, threads, TRUE, 120000), WAIT_OBJECT_0);
    for (HANDLE thread : threads) {
        DWORD exitCode = STILL_ACTIVE;
        GetExitCodeThread(thread, &exitCode);
        EXPECT_EQ(exitCode, 0u);
        CloseHandle(thread);
    }
}

} // namespace
