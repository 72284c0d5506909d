#include "ui/TreeView.h"

#include "ui/Error.h"

#include <commctrl.h>

namespace ui {

namespace {

// The next node in depth-first order, whatever is expanded; null after the last one.
TreeNode NextInDepthFirst(HWND tree, TreeNode node) {
    if (TreeNode child = TreeView_GetChild(tree, node)) {
        return child;
    }
    for (; node != nullptr; node = TreeView_GetParent(tree, node)) {
        if (TreeNode sibling = TreeView_GetNextSibling(tree, node)) {
            return sibling;
        }
    }
    return nullptr;
}

}  // namespace

void TreeView::Create(Control& parent) {
    // Buttons only show below the top level: there are no root lines.
    CreateNative(WC_TREEVIEWW, TVS_HASBUTTONS | WS_TABSTOP, WS_EX_CLIENTEDGE, parent);
}

void TreeView::SetImageList(const ImageList& images) {
    RequireWindow("TreeView::SetImageList");
    TreeView_SetImageList(Handle(), images.Handle(), TVSIL_NORMAL);
}

void TreeView::SetIndent(int pixels) {
    RequireWindow("TreeView::SetIndent");
    TreeView_SetIndent(Handle(), pixels);
}

TreeNode TreeView::AddNode(std::wstring_view text, TreeNode parent, int image, int selectedImage) {
    RequireWindow("TreeView::AddNode");
    std::wstring buffer(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = buffer.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    TreeNode node = TreeView_InsertItem(Handle(), &insert);
    if (node == nullptr) {
        throw Error("Adding a tree node failed");
    }
    return node;
}

void TreeView::ExpandAll() {
    RequireWindow("TreeView::ExpandAll");
    for (TreeNode node = TreeView_GetRoot(Handle()); node != nullptr;
         node = NextInDepthFirst(Handle(), node)) {
        if (HasChildren(node)) {
            TreeView_Expand(Handle(), node, TVE_EXPAND);
        }
    }
}

int TreeView::NodeCount() const {
    RequireWindow("TreeView::NodeCount");
    return static_cast<int>(TreeView_GetCount(Handle()));
}

TreeNode TreeView::NodeAt(int index) const {
    RequireWindow("TreeView::NodeAt");
    if (index < 0) {
        return nullptr;
    }
    TreeNode node = TreeView_GetRoot(Handle());
    for (int position = 0; position < index && node != nullptr; ++position) {
        node = NextInDepthFirst(Handle(), node);
    }
    return node;
}

bool TreeView::HasChildren(TreeNode node) const {
    RequireWindow("TreeView::HasChildren");
    return TreeView_GetChild(Handle(), node) != nullptr;
}

std::wstring TreeView::Text(TreeNode node) const {
    RequireWindow("TreeView::Text");
    wchar_t buffer[1024]{};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    if (!TreeView_GetItem(Handle(), &item)) {
        throw Error("Reading a tree node failed");
    }
    return item.pszText;
}

bool TreeView::IsExpanded(TreeNode node) const {
    RequireWindow("TreeView::IsExpanded");
    return (TreeView_GetItemState(Handle(), node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TreeView::SetData(TreeNode node, std::int32_t value) {
    RequireWindow("TreeView::SetData");
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    item.lParam = value;
    if (!TreeView_SetItem(Handle(), &item)) {
        throw Error("Setting a tree node's data failed");
    }
    withData_.insert(node);
}

std::optional<std::int32_t> TreeView::Data(TreeNode node) const {
    RequireWindow("TreeView::Data");
    if (!withData_.contains(node)) {
        return std::nullopt;
    }
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    if (!TreeView_GetItem(Handle(), &item)) {
        throw Error("Reading a tree node's data failed");
    }
    return static_cast<std::int32_t>(item.lParam);
}

TreeNode TreeView::Selected() const {
    RequireWindow("TreeView::Selected");
    return TreeView_GetSelection(Handle());
}

void TreeView::Select(TreeNode node) {
    RequireWindow("TreeView::Select");
    TreeView_SelectItem(Handle(), node);
}

RECT TreeView::NodeRect(TreeNode node) const {
    RequireWindow("TreeView::NodeRect");
    RECT rect{};
    if (!TreeView_GetItemRect(Handle(), node, &rect, TRUE)) {
        throw Error("The tree node is not visible");
    }
    return rect;
}

bool TreeView::OnNotify(NMHDR& header, LRESULT&) {
    switch (header.code) {
        case NM_CLICK:
            PostDeferredClick();
            return false;
        case TVN_DELETEITEMW:
            withData_.erase(reinterpret_cast<NMTREEVIEWW&>(header).itemOld.hItem);
            return false;
        default:
            return false;
    }
}

void TreeView::OnDeferredClick() {
    if (onClick) {
        onClick();
    }
}

}  // namespace ui
