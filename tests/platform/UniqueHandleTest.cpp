// The handle owner closes each handle exactly once, whatever moves it between owners.
#include "platform/win32/UniqueHandle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <utility>

namespace {

std::map<std::intptr_t, int> closed;

void FakeClose(void* handle) {
    ++closed[reinterpret_cast<std::intptr_t>(handle)];
}

using FakeHandle = platform::win32::UniqueHandle<void*, &FakeClose, -1>;

void* Handle(std::intptr_t value) {
    return reinterpret_cast<void*>(value);
}

class UniqueHandle : public ::testing::Test {
  protected:
    void SetUp() override { closed.clear(); }
};

TEST_F(UniqueHandle, ClosesOnceWhenItsLastOwnerGoes) {
    {
        FakeHandle first(Handle(7));
        FakeHandle second(std::move(first));
        FakeHandle third;
        third = std::move(second);
        EXPECT_FALSE(first);
        EXPECT_FALSE(second);
        EXPECT_EQ(third.Get(), Handle(7));
        EXPECT_TRUE(closed.empty());
    }
    EXPECT_EQ(closed, (std::map<std::intptr_t, int>{{7, 1}}));
}

TEST_F(UniqueHandle, AssigningClosesTheHandleItHeld) {
    FakeHandle owner(Handle(1));
    owner = FakeHandle(Handle(2));
    EXPECT_EQ(closed, (std::map<std::intptr_t, int>{{1, 1}}));
    owner.Reset();
    EXPECT_EQ(closed, (std::map<std::intptr_t, int>{{1, 1}, {2, 1}}));
}

TEST_F(UniqueHandle, InvalidValueIsNeverClosed) {
    // For file handles the invalid value is -1, and 0 is a handle like any other.
    { FakeHandle none; }
    { FakeHandle failed(FakeHandle::InvalidValue()); }
    EXPECT_TRUE(closed.empty());
    { FakeHandle zero(Handle(0)); }
    EXPECT_EQ(closed, (std::map<std::intptr_t, int>{{0, 1}}));
}

TEST_F(UniqueHandle, ReleasedHandleIsLeftToTheCaller) {
    void* handle = nullptr;
    {
        FakeHandle owner(Handle(5));
        handle = owner.Release();
        EXPECT_FALSE(owner);
    }
    EXPECT_EQ(handle, Handle(5));
    EXPECT_TRUE(closed.empty());
}

}  // namespace
