#include "ui/Font.h"

#include "ui/Error.h"

#include <iterator>

namespace ui {

UniqueFont CreateFontFrom(const FontDescription& font) {
    LOGFONTW logical{};
    if (font.face.size() >= std::size(logical.lfFaceName)) {
        throw Error("Font face name too long");
    }
    // A negative height asks for the character height rather than the cell height.
    logical.lfHeight = -font.height;
    logical.lfWeight = FW_NORMAL;
    logical.lfCharSet = font.charset;
    logical.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logical.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logical.lfQuality = DEFAULT_QUALITY;
    logical.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    font.face.copy(logical.lfFaceName, font.face.size());
    UniqueFont created(::CreateFontIndirectW(&logical));
    ThrowLastErrorIf(!created, "CreateFontIndirect");
    return created;
}

}  // namespace ui
