// Reads the common controls of another process: their item structures have to live in that
// process's memory, so each read goes through a buffer allocated there.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct RemoteTreeNode {
    std::wstring text;
    int level;
    bool hasChildren;
    bool expanded;
    LPARAM data;
    int image;
    int selectedImage;
};

// Every node of a tree view in depth-first order, whatever is expanded.
std::vector<RemoteTreeNode> ReadTree(HWND tree);

// The rectangle of a child window in its parent's client coordinates.
RECT BoundsInParent(HWND child);

// The window text of any window (WM_GETTEXT works across processes).
std::wstring WindowText(HWND window);

std::wstring ClassName(HWND window);

// The first descendant of parent whose class is className (depth first), or null.
HWND FindDescendant(HWND parent, const wchar_t* className);

}  // namespace e2e
