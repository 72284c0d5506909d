// A report-style list view: columns with headers, grid lines, whole-row selection, several
// items selectable, read-only captions, and a selection that stays visible without the focus.
// Each item may carry a byte string of the program's (a file name, say) for as long as the
// item lives.
#pragma once

#include "ui/NativeControl.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ui {

// An item as a sort compares it.
struct ListItem {
    std::wstring caption;
    std::string data;
};

// Negative: first goes before second; positive: after it; zero: either way.
using ListCompare = std::function<int(const ListItem& first, const ListItem& second)>;

class ListView : public NativeControl {
  public:
    ListView() = default;

    // Every method below needs the window: Create first.
    void Create(Control& parent);

    int AddColumn(std::wstring_view header, int width);
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    // Drawing is suspended from the first BeginUpdate to the matching EndUpdate, and the list
    // is drawn again once at the end.
    void BeginUpdate();
    void EndUpdate();
    // BeginUpdate for a scope: drawing resumes also when the scope is left by an exception.
    class UpdateScope {
      public:
        explicit UpdateScope(ListView& list) : list_(list) { list_.BeginUpdate(); }
        UpdateScope(const UpdateScope&) = delete;
        UpdateScope& operator=(const UpdateScope&) = delete;
        ~UpdateScope() { list_.EndUpdate(); }

      private:
        ListView& list_;
    };

    // Adds an item at the end; returns its index.
    int AddItem(std::wstring_view caption);
    void SetSubItemText(int item, int subItem, std::wstring_view text);
    void SetItemData(int item, std::string data);

    int ItemCount() const;
    std::wstring Caption(int item) const;
    std::wstring SubItemText(int item, int subItem) const;
    // The item's data; empty when none was attached.
    const std::string& ItemData(int item) const;

    bool IsSelected(int item) const;
    void SetSelected(int item, bool selected);
    // The selected item with the lowest index.
    std::optional<int> FirstSelected() const;

    // Removes every selected item, drawing suspended, in one call.
    void RemoveSelected();
    // Removes every item.
    void Clear();

    // Sorts all items with compare (a stable sort: equal items keep their order).
    void Sort(const ListCompare& compare);

    // Width in pixels of text in the given font, measured on the list's drawing surface.
    int TextWidth(std::wstring_view text, HFONT font) const;
    // The item's bounds in client coordinates.
    RECT ItemRect(int item) const;

    // A click with the left button, raised once the click has changed the selection.
    std::function<void()> onClick;

    bool OnNotify(NMHDR& header, LRESULT& result) override;

  protected:
    void OnDeferredClick() override;

  private:
    LPARAM ItemKey(int item) const;

    std::unordered_map<LPARAM, std::string> data_;
    LPARAM nextKey_ = 1;
    int updateDepth_ = 0;
};

}  // namespace ui
