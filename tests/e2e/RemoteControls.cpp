#include "tests/e2e/RemoteControls.h"

#include "platform/win32/UniqueHandle.h"

#include <commctrl.h>

#include <stdexcept>

namespace e2e {

namespace {

// A buffer in another process's address space, freed when it goes.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, SIZE_T size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                   processId));
        if (!process_) {
            throw std::runtime_error("cannot open the program's process");
        }
        address_ = VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        if (address_ == nullptr) {
            throw std::runtime_error("cannot allocate memory in the program's process");
        }
    }
    ~RemoteBuffer() { VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    template <typename T>
    T* At(SIZE_T offset) const {
        return reinterpret_cast<T*>(static_cast<char*>(address_) + offset);
    }
    void Write(SIZE_T offset, const void* data, SIZE_T size) const {
        if (!WriteProcessMemory(process_.Get(), At<char>(offset), data, size, nullptr)) {
            throw std::runtime_error("WriteProcessMemory failed");
        }
    }
    void Read(SIZE_T offset, void* data, SIZE_T size) const {
        if (!ReadProcessMemory(process_.Get(), At<char>(offset), data, size, nullptr)) {
            throw std::runtime_error("ReadProcessMemory failed");
        }
    }

  private:
    platform::win32::UniqueKernelHandle process_;
    void* address_ = nullptr;
};

constexpr int kTextCapacity = 256;

RemoteTreeNode ReadNode(HWND tree, const RemoteBuffer& buffer, HTREEITEM item, int level) {
    TVITEMEXW request{};
    request.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE |
                   TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    request.hItem = item;
    request.stateMask = TVIS_EXPANDED;
    request.pszText = buffer.At<wchar_t>(sizeof(TVITEMEXW));
    request.cchTextMax = kTextCapacity;
    buffer.Write(0, &request, sizeof(request));
    if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.At<TVITEMEXW>(0)))) {
        throw std::runtime_error("TVM_GETITEMW failed");
    }
    TVITEMEXW answer{};
    buffer.Read(0, &answer, sizeof(answer));
    wchar_t text[kTextCapacity] = {};
    buffer.Read(sizeof(TVITEMEXW), text, sizeof(text));
    text[kTextCapacity - 1] = L'\0';
    return RemoteTreeNode{
        text,          level,         answer.cChildren != 0, (answer.state & TVIS_EXPANDED) != 0,
        answer.lParam, answer.iImage, answer.iSelectedImage};
}

void ReadSubtree(HWND tree, const RemoteBuffer& buffer, HTREEITEM first, int level,
                 std::vector<RemoteTreeNode>& nodes) {
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        nodes.push_back(ReadNode(tree, buffer, item, level));
        ReadSubtree(tree, buffer, TreeView_GetChild(tree, item), level + 1, nodes);
    }
}

struct DescendantSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK VisitChild(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<DescendantSearch*>(param);
    if (ClassName(window) == search.className) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::vector<RemoteTreeNode> ReadTree(HWND tree) {
    RemoteBuffer buffer(tree, sizeof(TVITEMEXW) + kTextCapacity * sizeof(wchar_t));
    std::vector<RemoteTreeNode> nodes;
    ReadSubtree(tree, buffer, TreeView_GetRoot(tree), 0, nodes);
    return nodes;
}

RECT BoundsInParent(HWND child) {
    RECT bounds{};
    GetWindowRect(child, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

std::wstring WindowText(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

HWND FindDescendant(HWND parent, const wchar_t* className) {
    DescendantSearch search{className, nullptr};
    EnumChildWindows(parent, VisitChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace e2e
