#include "ui/ComPtr.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Counts its references and never frees itself, so a test can read the count at any time.
class Counted : public IUnknown {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ULONG references = 1;
};

TEST(ComPtr, MovingHandsOverTheOneReference) {
    Counted object;
    {
        auto first = ui::ComPtr<IUnknown>::Attach(&object);
        ui::ComPtr<IUnknown> second(std::move(first));
        EXPECT_FALSE(first);
        ui::ComPtr<IUnknown> third;
        third = std::move(second);
        EXPECT_FALSE(second);
        EXPECT_EQ(third.Get(), &object);
        EXPECT_EQ(object.references, 1u);
    }
    EXPECT_EQ(object.references, 0u);
}

TEST(ComPtr, MoveAssignmentReleasesWhatItHeld) {
    Counted kept;
    Counted replaced;
    auto source = ui::ComPtr<IUnknown>::Attach(&kept);
    auto target = ui::ComPtr<IUnknown>::Attach(&replaced);
    target = std::move(source);
    EXPECT_EQ(replaced.references, 0u);
    EXPECT_EQ(kept.references, 1u);
}

TEST(ComPtr, PutReleasesWhatItHeldBeforeTheSlotIsFilled) {
    Counted old;
    Counted filled;
    {
        auto pointer = ui::ComPtr<IUnknown>::Attach(&old);
        IUnknown** slot = pointer.Put();
        EXPECT_EQ(old.references, 0u);
        *slot = &filled;
    }
    EXPECT_EQ(filled.references, 0u);
}

TEST(ComPtr, ShareAddsAReferenceOfItsOwn) {
    Counted object;
    {
        auto shared = ui::ComPtr<IUnknown>::Share(&object);
        EXPECT_EQ(object.references, 2u);
    }
    EXPECT_EQ(object.references, 1u);
}

TEST(ComPtr, AsHoldsAReferenceOnlyWhenTheObjectAnswers) {
    Counted object;
    auto pointer = ui::ComPtr<IUnknown>::Attach(&object);
    ui::ComPtr<IUnknown> same;
    EXPECT_EQ(pointer.As(same), S_OK);
    EXPECT_EQ(object.references, 2u);

    ui::ComPtr<IDispatch> other;
    EXPECT_EQ(pointer.As(other), E_NOINTERFACE);
    EXPECT_FALSE(other);
    EXPECT_EQ(object.references, 2u);
}

}  // namespace
