#include "ui/ListView.h"

#include "UiTestSupport.h"
#include "ui/Error.h"
#include "ui/Font.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A shown form with one list that fills it: two columns, and one item per caption whose data
// is "file-" and the caption.
class ListViewFixture {
  public:
    explicit ListViewFixture(const std::vector<std::wstring>& captions) {
        form_ = std::make_unique<ui::testing::HostForm>([this](ui::testing::HostForm& host) {
            list.SetAlign(ui::Align::Client);
            list.Create(host);
        });
        form_->SetClientSize(400, 300);
        form_->Create();
        list.AddColumn(L"Date", 100);
        list.AddColumn(L"Title", 50);
        for (const std::wstring& caption : captions) {
            const int item = list.AddItem(caption);
            list.SetSubItemText(item, 1, L"title " + caption);
            list.SetItemData(item, "file-" + std::string(caption.begin(), caption.end()));
        }
        form_->Show();
        ui::testing::BringToFront(form_->Handle());
    }

    std::vector<std::wstring> Captions() const {
        std::vector<std::wstring> captions;
        for (int item = 0; item < list.ItemCount(); ++item) {
            captions.push_back(list.Caption(item));
        }
        return captions;
    }

    // Each item's data must still be the one made for its caption.
    void ExpectDataFollowsCaptions() const {
        for (int item = 0; item < list.ItemCount(); ++item) {
            const std::wstring caption = list.Caption(item);
            EXPECT_EQ(list.ItemData(item), "file-" + std::string(caption.begin(), caption.end()));
            EXPECT_EQ(list.SubItemText(item, 1), L"title " + caption);
        }
    }

    ui::Application application;
    ui::ListView list;

  private:
    std::unique_ptr<ui::testing::HostForm> form_;
};

struct RemoveCase {
    std::string name;
    std::set<int> selected;
    std::vector<std::wstring> remaining;
};

class ListViewRemoveSelected : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(ListViewRemoveSelected, RemovesExactlyTheSelectedItemsWithTheirData) {
    ListViewFixture fixture({L"a", L"b", L"c", L"d", L"e"});
    for (int item : GetParam().selected) {
        fixture.list.SetSelected(item, true);
    }

    fixture.list.RemoveSelected();

    EXPECT_EQ(fixture.Captions(), GetParam().remaining);
    fixture.ExpectDataFollowsCaptions();
    EXPECT_FALSE(fixture.list.FirstSelected().has_value());
}

INSTANTIATE_TEST_SUITE_P(ListView, ListViewRemoveSelected,
                         ::testing::Values(RemoveCase{"None", {}, {L"a", L"b", L"c", L"d", L"e"}},
                                           RemoveCase{"First", {0}, {L"b", L"c", L"d", L"e"}},
                                           RemoveCase{"Last", {4}, {L"a", L"b", L"c", L"d"}},
                                           RemoveCase{"Neighbours", {1, 2}, {L"a", L"d", L"e"}},
                                           RemoveCase{"Scattered", {0, 2, 4}, {L"b", L"d"}},
                                           RemoveCase{"All", {0, 1, 2, 3, 4}, {}}),
                         [](const auto& info) { return info.param.name; });

// Descending by caption: the comparison the program sorts its history with.
int Descending(const ui::ListItem& first, const ui::ListItem& second) {
    return second.caption.compare(first.caption);
}

TEST(ListView, SortPlacesItemsByTheCallbackAndDataStaysWithItsItem) {
    ListViewFixture fixture({L"2005-06", L"2005-07", L"1999-01", L"2010-12", L"2005-06"});
    std::vector<std::string> dataSeen;
    fixture.list.Sort([&](const ui::ListItem& first, const ui::ListItem& second) {
        dataSeen.push_back(first.data);
        return Descending(first, second);
    });

    EXPECT_EQ(fixture.Captions(), (std::vector<std::wstring>{L"2010-12", L"2005-07", L"2005-06",
                                                             L"2005-06", L"1999-01"}));
    fixture.ExpectDataFollowsCaptions();
    // The callback was handed the items' own data.
    for (const std::string& data : dataSeen) {
        EXPECT_EQ(data.rfind("file-", 0), 0u) << data;
    }
}

TEST(ListView, SortWithAnInconsistentCallbackKeepsEveryItem) {
    ListViewFixture fixture({L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h"});
    fixture.list.Sort([](const ui::ListItem&, const ui::ListItem&) { return -1; });

    std::vector<std::wstring> captions = fixture.Captions();
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions,
              (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h"}));
    fixture.ExpectDataFollowsCaptions();
}

TEST(ListView, ItemsMadeAfterClearCarryNoEarlierData) {
    ListViewFixture fixture({L"a", L"b"});
    fixture.list.Clear();
    EXPECT_EQ(fixture.list.ItemCount(), 0);

    const int item = fixture.list.AddItem(L"new");

    EXPECT_EQ(fixture.list.ItemData(item), "");
}

TEST(ListView, FirstSelectedIsTheLowestSelectedIndex) {
    ListViewFixture fixture({L"a", L"b", L"c", L"d"});
    EXPECT_FALSE(fixture.list.FirstSelected().has_value());
    fixture.list.SetSelected(3, true);
    fixture.list.SetSelected(1, true);

    EXPECT_EQ(fixture.list.FirstSelected(), 1);
    EXPECT_TRUE(fixture.list.IsSelected(3));
    EXPECT_FALSE(fixture.list.IsSelected(2));
}

TEST(ListView, ColumnsKeepTheirWidths) {
    ListViewFixture fixture({});
    EXPECT_EQ(fixture.list.ColumnWidth(0), 100);
    EXPECT_EQ(fixture.list.ColumnWidth(1), 50);
    fixture.list.SetColumnWidth(0, 174);
    EXPECT_EQ(fixture.list.ColumnWidth(0), 174);
}

TEST(ListView, TextWidthMeasuresInTheGivenFont) {
    ListViewFixture fixture({});
    const ui::UniqueFont small = ui::CreateFontFrom({L"SimSun", GB2312_CHARSET, 12});
    const ui::UniqueFont large = ui::CreateFontFrom({L"SimSun", GB2312_CHARSET, 24});

    const int narrow = fixture.list.TextWidth(L"AAAA", small.Get());
    const int wide = fixture.list.TextWidth(L"AAAA", large.Get());

    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, narrow);
    EXPECT_EQ(fixture.list.TextWidth(L"", small.Get()), 0);
}

TEST(ListView, UnknownIndexIsAnError) {
    ListViewFixture fixture({L"a"});
    EXPECT_THROW(fixture.list.ItemData(1), ui::Error);
    EXPECT_THROW(fixture.list.Caption(-1), ui::Error);
}

struct ClickCase {
    std::string name;
    int preselected;  // -1: none
    int clicked;
    bool withControl;
    int expectedFirst;
};

class ListViewClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ListViewClick, HandlerSeesTheSelectionTheClickMade) {
    const ClickCase& c = GetParam();
    ListViewFixture fixture({L"a", L"b", L"c", L"d"});
    if (c.preselected >= 0) {
        fixture.list.SetSelected(c.preselected, true);
    }
    std::vector<std::optional<int>> seen;
    fixture.list.onClick = [&] { seen.push_back(fixture.list.FirstSelected()); };

    ui::testing::ClickAt(fixture.list.Handle(),
                         ui::testing::Centre(fixture.list.ItemRect(c.clicked)), c.withControl);
    ASSERT_TRUE(ui::testing::ProcessUntil(fixture.application, [&] { return !seen.empty(); }));

    EXPECT_EQ(seen, (std::vector<std::optional<int>>{c.expectedFirst}));
}

INSTANTIATE_TEST_SUITE_P(ListView, ListViewClick,
                         ::testing::Values(ClickCase{"OnNothingSelected", -1, 2, false, 2},
                                           ClickCase{"MovesTheSelection", 0, 3, false, 3},
                                           ClickCase{"WithControlAddsToIt", 3, 1, true, 1},
                                           ClickCase{"WithControlBelowFirst", 0, 2, true, 0}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
