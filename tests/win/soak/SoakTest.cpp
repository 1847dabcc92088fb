#include "support/Soak.h"
#include "platform/Handles.h"
#include "support/Files.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvane {
namespace {

using platform::UniqueBrush;
using platform::UniqueHandle;

HANDLE NewEvent() {
    return CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

bool IsBrush(HBRUSH brush) {
    return GetObjectType(brush) == OBJ_BRUSH;
}

TEST(HeldCount, FollowsTakingMovingReleasingAndClosing) {
    const long guiBefore = platform::HeldGuiResources();
    const long brushesBefore = UniqueBrush::Held();
    const long handlesBefore = platform::HeldKernelHandles();
    {
        UniqueBrush none, invalid(nullptr);
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore);

        UniqueBrush first(CreateSolidBrush(RGB(1, 2, 3)));
        UniqueHandle event(NewEvent());
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore + 1);
        EXPECT_EQ(platform::HeldGuiResources(), guiBefore + 1);
        EXPECT_EQ(platform::HeldKernelHandles(), handlesBefore + 1);

        // A move hands the brush on: still one held, and the moved-from holder's end
        // counts nothing.
        {
            UniqueBrush moved(std::move(first));
            EXPECT_EQ(UniqueBrush::Held(), brushesBefore + 1);
            first = std::move(moved);
        }
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore + 1);
        ASSERT_TRUE(IsBrush(first.Get()));

        // Moving over a holder that holds closes what it held.
        UniqueBrush second(CreateSolidBrush(RGB(4, 5, 6)));
        const HBRUSH overwritten = second.Get();
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore + 2);
        second = std::move(first);
        EXPECT_FALSE(IsBrush(overwritten));
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore + 1);
        UniqueBrush& same = second;
        second = std::move(same);
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore + 1);
        EXPECT_TRUE(IsBrush(second.Get()));

        // Released, the brush is the caller's and no longer counted.
        const HBRUSH released = second.Release();
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore);
        EXPECT_TRUE(IsBrush(released));
        second.Reset(released);
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore + 1);
        second.Reset(CreateSolidBrush(RGB(7, 8, 9)));
        EXPECT_FALSE(IsBrush(released));
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore + 1);
        second.Reset();
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore);
        EXPECT_EQ(second.Release(), nullptr);
        EXPECT_EQ(UniqueBrush::Held(), brushesBefore);
    }
    EXPECT_EQ(platform::HeldGuiResources(), guiBefore);
    EXPECT_EQ(platform::HeldKernelHandles(), handlesBefore);
}

// Restoring draws the board anew from a fresh snapshot each time; after the first few
// restores nothing may pile up.
TEST(Soak, RestoringAndMinimisingSixtyTimesHoldsNoMoreThanAfterTheWarmUp) {
    test::CleanDataFolder clean;
    test::DialogRecorder dialogs;
    test::SimulatorProcess tray(test::SoakScenario(30));
    test::ProgramWindows program;
    const std::vector<test::SoakCheckpoint> read = test::Soak(program, tray, 60, {10, 60});
    ASSERT_EQ(read.size(), 2u);
    const test::SoakCheckpoint &warm = read[0], &end = read[1];
    SCOPED_TRACE(test::Describe(warm));
    SCOPED_TRACE(test::Describe(end));
    // Readings that are not there would make the bounds below pass by themselves.
    ASSERT_GT(warm.privateBytes, 0u);
    ASSERT_GT(warm.handles, 0u);
    ASSERT_GT(warm.held.bitmaps, 0);

    EXPECT_EQ(end.held, warm.held);
    EXPECT_EQ(end.handles, warm.handles);
    // Here the heap settles within a few tens of KB over these restores; one 64-pixel cell's
    // pixels (12 KB) lost at each of 50 restores already passes 512 KB.
    EXPECT_LT(static_cast<double>(end.privateBytes) - static_cast<double>(warm.privateBytes),
              512.0 * 1024);
    if (warm.gdiObjects) {
        EXPECT_EQ(end.gdiObjects, warm.gdiObjects);
    }
    if (warm.userObjects) {
        EXPECT_EQ(end.userObjects, warm.userObjects);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace orvane
