#include "ui/Panel.h"

#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A shown form with one panel at 10,10 sized 200 x 40.
class PanelFixture {
  public:
    PanelFixture(ui::Bevel bevel, ui::PanelColor color, std::wstring text) {
        panel.SetBevel(bevel);
        panel.SetColor(color);
        panel.SetText(text);
        panel.SetBounds({10, 10, 200, 40});
        form_ = std::make_unique<ui::testing::HostForm>(
            [this](ui::testing::HostForm& host) { panel.Create(host); });
        form_->SetClientSize(220, 60);
        form_->Create();
        form_->Show();
        ::UpdateWindow(form_->Handle());
    }

    COLORREF PixelAt(int x, int y) const {
        ui::WindowDC dc(panel.Handle());
        return ::GetPixel(dc.Get(), x, y);
    }

    ui::Application application;
    ui::Panel panel;

  private:
    std::unique_ptr<ui::testing::HostForm> form_;
};

struct LookCase {
    std::string name;
    ui::Bevel bevel;
    ui::PanelColor color;
    int faceColor;  // system colour index; -1: white
    int edgeColor;  // colour of the top-left pixel; -1: white
};

class PanelLook : public ::testing::TestWithParam<LookCase> {};

COLORREF ColorOf(int index) {
    return index < 0 ? RGB(255, 255, 255) : ::GetSysColor(index);
}

TEST_P(PanelLook, PaintsItsColourAndBevel) {
    const LookCase& c = GetParam();
    PanelFixture fixture(c.bevel, c.color, L"");

    EXPECT_EQ(fixture.PixelAt(100, 20), ColorOf(c.faceColor));
    EXPECT_EQ(fixture.PixelAt(0, 0), ColorOf(c.edgeColor));
    EXPECT_EQ(fixture.PixelAt(3, 3), ColorOf(c.faceColor));
}

INSTANTIATE_TEST_SUITE_P(
    Panel, PanelLook,
    ::testing::Values(LookCase{"PlainFace", ui::Bevel::None, ui::PanelColor::ButtonFace,
                               COLOR_BTNFACE, COLOR_BTNFACE},
                      LookCase{"PlainWhite", ui::Bevel::None, ui::PanelColor::White, -1, -1},
                      LookCase{"LoweredFace", ui::Bevel::Lowered, ui::PanelColor::ButtonFace,
                               COLOR_BTNFACE, COLOR_BTNSHADOW},
                      LookCase{"LoweredWhite", ui::Bevel::Lowered, ui::PanelColor::White, -1,
                               COLOR_BTNSHADOW}),
    [](const auto& info) { return info.param.name; });

TEST(Panel, TextIsLeftJustifiedAndReadableAsTheWindowText) {
    PanelFixture fixture(ui::Bevel::Lowered, ui::PanelColor::ButtonFace, L"WWW");

    wchar_t windowText[16]{};
    ::GetWindowTextW(fixture.panel.Handle(), windowText, 16);
    EXPECT_STREQ(windowText, L"WWW");
    // Ink only near the left edge, none in the right half.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    int firstInk = -1;
    int lastInk = -1;
    for (int x = 1; x < 199; ++x) {
        for (int y = 2; y < 38; ++y) {
            if (fixture.PixelAt(x, y) != face) {
                firstInk = firstInk < 0 ? x : firstInk;
                lastInk = x;
            }
        }
    }
    EXPECT_GE(firstInk, 1);
    EXPECT_LT(firstInk, 10);
    EXPECT_LT(lastInk, 100);

    fixture.panel.SetText(L"\u8FDE\u63A5\u5730\u5740\uFF1Ahttp://x");
    ::GetWindowTextW(fixture.panel.Handle(), windowText, 16);
    EXPECT_STREQ(windowText, L"\u8FDE\u63A5\u5730\u5740\uFF1Ahttp://x");
    EXPECT_EQ(fixture.panel.Text(), L"\u8FDE\u63A5\u5730\u5740\uFF1Ahttp://x");
}

}  // namespace
