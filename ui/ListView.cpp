#include "ui/ListView.h"

#include "ui/Error.h"
#include "ui/Handle.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace ui {

namespace {

using Ranks = std::unordered_map<LPARAM, int>;

// The control reorders its items by the ranks that the sort has worked out.
int CALLBACK CompareRanks(LPARAM first, LPARAM second, LPARAM ranks) {
    const auto& rankOf = *reinterpret_cast<const Ranks*>(ranks);
    const auto a = rankOf.find(first);
    const auto b = rankOf.find(second);
    const int rankA = a != rankOf.end() ? a->second : 0;
    const int rankB = b != rankOf.end() ? b->second : 0;
    return rankA < rankB ? -1 : (rankA > rankB ? 1 : 0);
}

}  // namespace

void ListView::Create(Control& parent) {
    CreateNative(WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE,
                 parent);
    ListView_SetExtendedListViewStyle(Handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

int ListView::AddColumn(std::wstring_view header, int width) {
    RequireWindow("ListView::AddColumn");
    std::wstring text(header);
    const int index = Header_GetItemCount(ListView_GetHeader(Handle()));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = width;
    column.iSubItem = index;
    const int added = ListView_InsertColumn(Handle(), index, &column);
    if (added < 0) {
        throw Error("Adding a list column failed");
    }
    return added;
}

int ListView::ColumnWidth(int column) const {
    RequireWindow("ListView::ColumnWidth");
    return ListView_GetColumnWidth(Handle(), column);
}

void ListView::SetColumnWidth(int column, int width) {
    RequireWindow("ListView::SetColumnWidth");
    if (!ListView_SetColumnWidth(Handle(), column, width)) {
        throw Error("Setting a list column's width failed");
    }
}

void ListView::BeginUpdate() {
    if (updateDepth_++ == 0 && IsCreated()) {
        ::SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    }
}

void ListView::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0 || !IsCreated()) {
        return;
    }
    ::SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(Handle(), nullptr, nullptr,
                   RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

int ListView::AddItem(std::wstring_view caption) {
    RequireWindow("ListView::AddItem");
    std::wstring text(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(Handle());
    item.pszText = text.data();
    // Every item carries a key of its own: its data is kept here under that key, and it stays
    // with the item whatever the order of the list.
    item.lParam = nextKey_++;
    const int index = ListView_InsertItem(Handle(), &item);
    if (index < 0) {
        throw Error("Adding a list item failed");
    }
    return index;
}

void ListView::SetSubItemText(int item, int subItem, std::wstring_view text) {
    RequireWindow("ListView::SetSubItemText");
    std::wstring buffer(text);
    LVITEMW change{};
    change.iSubItem = subItem;
    change.pszText = buffer.data();
    if (!::SendMessageW(Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(&change))) {
        throw Error("Setting a list item's text failed");
    }
}

void ListView::SetItemData(int item, std::string data) {
    data_[ItemKey(item)] = std::move(data);
}

LPARAM ListView::ItemKey(int item) const {
    RequireWindow("ListView::ItemKey");
    LVITEMW read{};
    read.mask = LVIF_PARAM;
    read.iItem = item;
    if (item < 0 || !ListView_GetItem(Handle(), &read)) {
        throw Error("No list item at index " + std::to_string(item));
    }
    return read.lParam;
}

int ListView::ItemCount() const {
    RequireWindow("ListView::ItemCount");
    return ListView_GetItemCount(Handle());
}

std::wstring ListView::Caption(int item) const {
    return SubItemText(item, 0);
}

std::wstring ListView::SubItemText(int item, int subItem) const {
    RequireWindow("ListView::SubItemText");
    if (item < 0 || item >= ItemCount()) {
        throw Error("No list item at index " + std::to_string(item));
    }
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW read{};
        read.iSubItem = subItem;
        read.pszText = text.data();
        read.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<size_t>(::SendMessageW(Handle(), LVM_GETITEMTEXTW,
                                                               static_cast<WPARAM>(item),
                                                               reinterpret_cast<LPARAM>(&read)));
        // A text that filled the whole buffer may have been cut short.
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

const std::string& ListView::ItemData(int item) const {
    static const std::string none;
    const auto found = data_.find(ItemKey(item));
    return found != data_.end() ? found->second : none;
}

bool ListView::IsSelected(int item) const {
    RequireWindow("ListView::IsSelected");
    return ListView_GetItemState(Handle(), item, LVIS_SELECTED) != 0;
}

void ListView::SetSelected(int item, bool selected) {
    RequireWindow("ListView::SetSelected");
    ListView_SetItemState(Handle(), item, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

std::optional<int> ListView::FirstSelected() const {
    RequireWindow("ListView::FirstSelected");
    const int item = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
    return item >= 0 ? std::optional<int>(item) : std::nullopt;
}

void ListView::RemoveSelected() {
    RequireWindow("ListView::RemoveSelected");
    UpdateScope update(*this);
    // From the end, so that the indices still to visit do not move.
    for (int item = ItemCount() - 1; item >= 0; --item) {
        if (IsSelected(item)) {
            ListView_DeleteItem(Handle(), item);
        }
    }
}

void ListView::Clear() {
    RequireWindow("ListView::Clear");
    ListView_DeleteAllItems(Handle());
    data_.clear();
}

void ListView::Sort(const ListCompare& compare) {
    RequireWindow("ListView::Sort");
    const int count = ItemCount();
    std::vector<std::pair<LPARAM, ListItem>> items;
    items.reserve(static_cast<size_t>(count));
    for (int item = 0; item < count; ++item) {
        items.emplace_back(ItemKey(item), ListItem{Caption(item), ItemData(item)});
    }
    // The order is settled here, with the program's comparison and no callback into the
    // control; the control then only follows the ranks.
    std::stable_sort(items.begin(), items.end(), [&compare](const auto& a, const auto& b) {
        return compare(a.second, b.second) < 0;
    });
    Ranks ranks;
    for (int rank = 0; rank < count; ++rank) {
        ranks.emplace(items[static_cast<size_t>(rank)].first, rank);
    }
    if (!ListView_SortItems(Handle(), CompareRanks, reinterpret_cast<LPARAM>(&ranks))) {
        throw Error("Sorting the list failed");
    }
}

int ListView::TextWidth(std::wstring_view text, HFONT font) const {
    RequireWindow("ListView::TextWidth");
    WindowDC surface(Handle());
    SelectedObject selected(surface.Get(), font);
    SIZE size{};
    ThrowLastErrorIf(
        !::GetTextExtentPoint32W(surface.Get(), text.data(), static_cast<int>(text.size()), &size),
        "GetTextExtentPoint32");
    return size.cx;
}

RECT ListView::ItemRect(int item) const {
    RequireWindow("ListView::ItemRect");
    RECT rect{};
    if (!ListView_GetItemRect(Handle(), item, &rect, LVIR_BOUNDS)) {
        throw Error("No list item at index " + std::to_string(item));
    }
    return rect;
}

bool ListView::OnNotify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case NM_CLICK:
            PostDeferredClick();
            return false;
        case LVN_DELETEITEM:
            data_.erase(reinterpret_cast<NMLISTVIEW&>(header).lParam);
            return false;
        case LVN_DELETEALLITEMS:
            // No LVN_DELETEITEM for each item then: the data goes all at once.
            data_.clear();
            result = TRUE;
            return true;
        default:
            return false;
    }
}

void ListView::OnDeferredClick() {
    if (onClick) {
        onClick();
    }
}

}  // namespace ui
