#include "ui/TreeView.h"

#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two groups with leaves, a lone leaf and a group nested in a group, none expanded:
//   A (a1, a2), B (b1, C (c1)), d
class TreeViewTest : public ::testing::Test {
  protected:
    TreeViewTest()
        : images_(16, 16), form_([this](ui::testing::HostForm& host) {
              tree_.SetAlign(ui::Align::Client);
              tree_.Create(host);
          }) {
        form_.SetClientSize(300, 300);
        form_.Create();
        tree_.SetImageList(images_);
        tree_.SetIndent(35);
        const ui::TreeNode a = tree_.AddNode(L"A", nullptr, 0, 0);
        tree_.AddNode(L"a1", a, 1, 1);
        tree_.AddNode(L"a2", a, 1, 1);
        const ui::TreeNode b = tree_.AddNode(L"B", nullptr, 0, 0);
        tree_.AddNode(L"b1", b, 0, 0);
        const ui::TreeNode c = tree_.AddNode(L"C", b, 0, 0);
        tree_.AddNode(L"c1", c, 0, 0);
        tree_.AddNode(L"d", nullptr, 0, 0);
    }

    ui::TreeNode Find(const std::wstring& text) const {
        for (int index = 0; index < tree_.NodeCount(); ++index) {
            if (tree_.Text(tree_.NodeAt(index)) == text) {
                return tree_.NodeAt(index);
            }
        }
        return nullptr;
    }

    ui::Application application_;
    ui::ImageList images_;
    ui::TreeView tree_;
    ui::testing::HostForm form_;
};

TEST_F(TreeViewTest, NodesAreNumberedDepthFirstWhateverIsExpanded) {
    const std::vector<std::wstring> expected{L"A", L"a1", L"a2", L"B", L"b1", L"C", L"c1", L"d"};
    ASSERT_EQ(tree_.NodeCount(), static_cast<int>(expected.size()));
    for (int index = 0; index < tree_.NodeCount(); ++index) {
        EXPECT_EQ(tree_.Text(tree_.NodeAt(index)), expected[static_cast<size_t>(index)]);
        EXPECT_FALSE(tree_.IsExpanded(tree_.NodeAt(index)));
    }
    EXPECT_EQ(tree_.NodeAt(-1), nullptr);
    EXPECT_EQ(tree_.NodeAt(tree_.NodeCount()), nullptr);
}

TEST_F(TreeViewTest, ExpandAllOpensEveryLevel) {
    tree_.ExpandAll();
    for (const wchar_t* group : {L"A", L"B", L"C"}) {
        EXPECT_TRUE(tree_.IsExpanded(Find(group))) << group;
        EXPECT_TRUE(tree_.HasChildren(Find(group))) << group;
    }
    for (const wchar_t* leaf : {L"a1", L"c1", L"d"}) {
        EXPECT_FALSE(tree_.HasChildren(Find(leaf))) << leaf;
    }
}

TEST_F(TreeViewTest, DataStaysWithItsNodeOnly) {
    tree_.SetData(Find(L"a2"), 2);
    tree_.SetData(Find(L"c1"), 7);

    EXPECT_EQ(tree_.Data(Find(L"a2")), 2);
    EXPECT_EQ(tree_.Data(Find(L"c1")), 7);
    EXPECT_EQ(tree_.Data(Find(L"A")), std::nullopt);
    EXPECT_EQ(tree_.Data(Find(L"a1")), std::nullopt);
    tree_.SetData(Find(L"d"), 0);
    EXPECT_EQ(tree_.Data(Find(L"d")), 0);
    tree_.SetData(Find(L"b1"), -5);
    EXPECT_EQ(tree_.Data(Find(L"b1")), -5);
    // The value is the node's item data, which another process can read too.
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = Find(L"c1");
    ASSERT_TRUE(TreeView_GetItem(tree_.Handle(), &item));
    EXPECT_EQ(item.lParam, 7);
}

TEST_F(TreeViewTest, ClickHandlerSeesTheNodeTheClickSelected) {
    tree_.ExpandAll();
    form_.Show();
    ui::testing::BringToFront(form_.Handle());
    tree_.Select(Find(L"a1"));
    std::vector<std::wstring> seen;
    tree_.onClick = [&] { seen.push_back(tree_.Text(tree_.Selected())); };

    ui::testing::ClickAt(tree_.Handle(), ui::testing::Centre(tree_.NodeRect(Find(L"b1"))));
    ASSERT_TRUE(ui::testing::ProcessUntil(application_, [&] { return !seen.empty(); }));

    EXPECT_EQ(seen, (std::vector<std::wstring>{L"b1"}));
}

}  // namespace
