// A tree view: read-only node texts, no connecting lines, no lines or buttons at the root.
#pragma once

#include "ui/ImageList.h"
#include "ui/NativeControl.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace ui {

using TreeNode = HTREEITEM;

class TreeView : public NativeControl {
  public:
    TreeView() = default;

    // Every method below needs the window: Create first.
    void Create(Control& parent);

    // The list must live as long as the tree shows its pictures.
    void SetImageList(const ImageList& images);
    void SetIndent(int pixels);

    // Adds a node as the last child of parent (null: at the top level).
    TreeNode AddNode(std::wstring_view text, TreeNode parent, int image, int selectedImage);
    void ExpandAll();

    // Nodes at all levels.
    int NodeCount() const;
    // The node at an absolute index in depth-first order, whatever is expanded; null when the
    // index is out of range.
    TreeNode NodeAt(int index) const;
    bool HasChildren(TreeNode node) const;
    std::wstring Text(TreeNode node) const;
    bool IsExpanded(TreeNode node) const;

    // An integer attached to a node; it lives as long as the node. It is the node's item data
    // (lParam), so it can be read from outside the program too.
    void SetData(TreeNode node, std::int32_t value);
    std::optional<std::int32_t> Data(TreeNode node) const;

    TreeNode Selected() const;
    void Select(TreeNode node);
    // The node's text area in client coordinates (visible nodes only).
    RECT NodeRect(TreeNode node) const;

    // A click with the left button, raised once the click has changed the selection.
    std::function<void()> onClick;

    bool OnNotify(NMHDR& header, LRESULT& result) override;

  protected:
    void OnDeferredClick() override;

  private:
    // The nodes that carry data: an lParam of 0 may be data or none.
    std::set<TreeNode> withData_;
};

}  // namespace ui
