#include "ui/Font.h"

#include "ui/Error.h"

#include <iterator>

namespace ui {

UniqueFont CreateFontFrom(const FontSpec& spec) {
    LOGFONTW description{};
    if (spec.face.size() >= std::size(description.lfFaceName)) {
        throw Error("Font face name too long");
    }
    // A negative height asks for the character height rather than the cell height.
    description.lfHeight = -spec.height;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = spec.charset;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    spec.face.copy(description.lfFaceName, spec.face.size());
    UniqueFont font(::CreateFontIndirectW(&description));
    ThrowLastErrorIf(!font, "CreateFontIndirect");
    return font;
}

}  // namespace ui
