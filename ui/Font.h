// Fonts as the program describes them: a face, a character set and a character height.
#pragma once

#include "ui/Handle.h"

#include <string>

namespace ui {

struct FontDescription {
    std::wstring face;
    BYTE charset = DEFAULT_CHARSET;
    // Character height in pixels (the cell height minus internal leading), as figures are
    // given at 96 dpi the caller scales it with Scale().
    int height = 12;
};

// A regular-weight font of the given face, charset and character height.
UniqueFont CreateFontFrom(const FontDescription& font);

}  // namespace ui
