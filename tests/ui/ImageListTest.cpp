#include "ui/ImageList.h"

#include "ui/Error.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A memory surface with one bitmap selected into it.
class Surface {
  public:
    Surface(int width, int height) : dc_(::CreateCompatibleDC(nullptr)) {
        ui::WindowDC screen(nullptr);
        bitmap_.Reset(::CreateCompatibleBitmap(screen.Get(), width, height));
        previous_ = ::SelectObject(dc_, bitmap_.Get());
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface() {
        ::SelectObject(dc_, previous_);
        ::DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    // Hands the bitmap over (it must not stay selected to be added to an image list).
    ui::UniqueBitmap TakeBitmap() {
        ::SelectObject(dc_, previous_);
        return std::move(bitmap_);
    }
    void Fill(RECT area, COLORREF color) {
        ui::UniqueBrush brush(::CreateSolidBrush(color));
        ::FillRect(dc_, &area, brush.Get());
    }

  private:
    HDC dc_;
    ui::UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

// Two pictures of 16 x 16: a blue square on magenta, and a plain green one.
ui::UniqueBitmap MakeStrip() {
    Surface strip(32, 16);
    strip.Fill({0, 0, 16, 16}, kMagenta);
    strip.Fill({4, 4, 12, 12}, kBlue);
    strip.Fill({16, 0, 32, 16}, kGreen);
    return strip.TakeBitmap();
}

TEST(ImageList, MaskColourDrawsTransparently) {
    ui::ImageList images(16, 16);
    ui::UniqueBitmap strip = MakeStrip();
    images.AddMasked(strip.Get(), kMagenta);
    ASSERT_EQ(images.Count(), 2);

    Surface target(32, 16);
    target.Fill({0, 0, 32, 16}, kWhite);
    ASSERT_TRUE(::ImageList_Draw(images.Handle(), 0, target.Dc(), 0, 0, ILD_TRANSPARENT));
    ASSERT_TRUE(::ImageList_Draw(images.Handle(), 1, target.Dc(), 16, 0, ILD_TRANSPARENT));

    EXPECT_EQ(::GetPixel(target.Dc(), 1, 1), kWhite);
    EXPECT_EQ(::GetPixel(target.Dc(), 8, 8), kBlue);
    EXPECT_EQ(::GetPixel(target.Dc(), 17, 1), kGreen);
}

TEST(ImageList, MissingResourceIsAnError) {
    ui::ImageList images(16, 16);
    EXPECT_THROW(images.AddMaskedResource(4242, kMagenta), ui::Error);
    EXPECT_EQ(images.Count(), 0);
}

}  // namespace
