#include "ui/Control.h"

#include "UiTestSupport.h"
#include "ui/Panel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ui::Align;
using ui::Bounds;

struct ChildLayout {
    Align align;
    Bounds bounds;  // the extent an alignment keeps; the whole bounds for Align::None
};

struct LayoutCase {
    std::string name;
    SIZE client;
    std::vector<ChildLayout> children;  // in creation order
    std::vector<Bounds> expected;
};

class ControlLayout : public ::testing::TestWithParam<LayoutCase> {
  protected:
    ui::Application application_;
};

TEST_P(ControlLayout, PlacesAlignedChildrenInCreationOrder) {
    const LayoutCase& c = GetParam();
    std::vector<std::unique_ptr<ui::Panel>> panels;
    ui::testing::HostForm form([&](ui::testing::HostForm& host) {
        for (const ChildLayout& child : c.children) {
            auto& panel = *panels.emplace_back(std::make_unique<ui::Panel>());
            panel.SetAlign(child.align);
            panel.SetBounds(child.bounds);
            panel.Create(host);
        }
    });
    form.SetClientSize(c.client.cx, c.client.cy);
    form.Create();

    for (size_t at = 0; at < panels.size(); ++at) {
        EXPECT_EQ(panels[at]->GetBounds(), c.expected[at]) << "child " << at;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Control, ControlLayout,
    ::testing::Values(
        // A status line first, then a tree on the left and the rest for the right-hand side.
        LayoutCase{
            "BottomLeftClient",
            {688, 446},
            {{Align::Bottom, {0, 0, 10, 19}}, {Align::Left, {0, 0, 185, 10}}, {Align::Client, {}}},
            {{0, 427, 688, 19}, {0, 0, 185, 427}, {185, 0, 503, 427}}},
        // The client control made first still waits for the bottom ones; the first bottom
        // control made lies lowest.
        LayoutCase{"ClientBeforeTwoBottoms",
                   {503, 427},
                   {{Align::Client, {}},
                    {Align::Bottom, {0, 0, 10, 147}},
                    {Align::Bottom, {0, 0, 10, 21}}},
                   {{0, 0, 503, 259}, {0, 280, 503, 147}, {0, 259, 503, 21}}},
        LayoutCase{
            "TopRightClient",
            {300, 200},
            {{Align::Right, {0, 0, 50, 10}}, {Align::Top, {0, 0, 10, 30}}, {Align::Client, {}}},
            {{250, 30, 50, 170}, {0, 0, 300, 30}, {0, 30, 250, 170}}},
        LayoutCase{"NoneKeepsItsBounds",
                   {300, 200},
                   {{Align::Client, {}}, {Align::None, {112, 15, 58, 23}}},
                   {{0, 0, 300, 200}, {112, 15, 58, 23}}},
        // Aligned controls that do not fit leave an empty client area, never a negative one.
        LayoutCase{
            "ClientSqueezedToNothing",
            {100, 80},
            {{Align::Left, {0, 0, 70, 10}}, {Align::Left, {0, 0, 50, 10}}, {Align::Client, {}}},
            {{0, 0, 70, 80}, {70, 0, 50, 80}, {120, 0, 0, 80}}}),
    [](const auto& info) { return info.param.name; });

class ControlTest : public ::testing::Test {
  protected:
    ui::Application application_;
};

TEST_F(ControlTest, LowBevelKeepsAlignedChildrenInsideIt) {
    ui::Panel outer;
    ui::Panel inner;
    ui::testing::HostForm form([&](ui::testing::HostForm& host) {
        outer.SetAlign(Align::Client);
        outer.SetBevel(ui::Bevel::Lowered);
        outer.Create(host);
        inner.SetAlign(Align::Client);
        inner.Create(outer);
    });
    form.SetClientSize(200, 100);
    form.Create();

    EXPECT_EQ(inner.GetBounds(), (Bounds{1, 1, 198, 98}));
}

TEST_F(ControlTest, ResizeLaysOutNestedPanelsBeforeOnResize) {
    ui::Panel right;
    ui::Panel bottom;
    Bounds seenInResize{};
    ui::testing::HostForm form([&](ui::testing::HostForm& host) {
        right.SetAlign(Align::Client);
        right.Create(host);
        bottom.SetAlign(Align::Bottom);
        bottom.SetBounds({0, 0, 10, 147});
        bottom.Create(right);
    });
    form.onResize = [&] { seenInResize = bottom.GetBounds(); };
    form.SetClientSize(688, 446);
    form.Create();

    form.SetClientSize(1000, 600);

    EXPECT_EQ(seenInResize, (Bounds{0, 453, 1000, 147}));
}

TEST_F(ControlTest, ChildObjectGoneGivesItsSpaceBack) {
    ui::Panel stays;
    ui::testing::HostForm form([&](ui::testing::HostForm& host) {
        stays.SetAlign(Align::Client);
        stays.Create(host);
    });
    form.SetClientSize(200, 100);
    form.Create();
    {
        ui::Panel temporary;
        temporary.SetAlign(Align::Left);
        temporary.SetBounds({0, 0, 50, 10});
        temporary.Create(form);
        EXPECT_EQ(stays.GetBounds(), (Bounds{50, 0, 150, 100}));
        EXPECT_EQ(form.Children().size(), 2u);
    }
    EXPECT_EQ(form.Children().size(), 1u);
    EXPECT_EQ(stays.GetBounds(), (Bounds{0, 0, 200, 100}));
}

}  // namespace
