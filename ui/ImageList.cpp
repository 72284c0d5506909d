#include "ui/ImageList.h"

#include "ui/Error.h"

namespace ui {

ImageList::ImageList(int width, int height)
    : width_(width),
      height_(height),
      list_(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 2, 2)) {
    if (!list_) {
        throw Error("ImageList_Create failed");
    }
}

void ImageList::AddMasked(HBITMAP strip, COLORREF maskColor) {
    if (::ImageList_AddMasked(list_.Get(), strip, maskColor) < 0) {
        throw Error("ImageList_AddMasked failed");
    }
}

void ImageList::AddMaskedResource(UINT resourceId, COLORREF maskColor) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    UniqueBitmap strip(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, 0)));
    ThrowLastErrorIf(!strip, "LoadImage");
    BITMAP size{};
    ::GetObjectW(strip.Get(), sizeof size, &size);
    if (size.bmHeight != height_ && size.bmHeight > 0) {
        // Drawn for 96 dpi: the system stretches it to the list's picture size.
        const int width = ::MulDiv(size.bmWidth, height_, size.bmHeight);
        strip.Reset(static_cast<HBITMAP>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, width, height_, 0)));
        ThrowLastErrorIf(!strip, "LoadImage");
    }
    AddMasked(strip.Get(), maskColor);
}

int ImageList::Count() const {
    return ::ImageList_GetImageCount(list_.Get());
}

}  // namespace ui
