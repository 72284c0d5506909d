// A list of small pictures with masks, drawn transparently (tree view nodes).
#pragma once

#include "ui/Handle.h"

namespace ui {

class ImageList {
  public:
    // Pictures of width x height pixels (the caller scales them for the screen's DPI).
    ImageList(int width, int height);

    // Adds every picture of a strip, width x height each; pixels of maskColor are transparent.
    void AddMasked(HBITMAP strip, COLORREF maskColor);
    // Loads a bitmap resource of the executable and adds it as AddMasked does. A strip drawn
    // for 96 dpi is stretched when the list's pictures are larger.
    void AddMaskedResource(UINT resourceId, COLORREF maskColor);

    int Count() const;
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    HIMAGELIST Handle() const noexcept { return list_.Get(); }

  private:
    int width_;
    int height_;
    UniqueImageList list_;
};

}  // namespace ui
