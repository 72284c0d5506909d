// GBK <-> UTF-8 for tools that talk UTF-8, both through UTF-16.
#include "platform/Platform.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

#include <climits>

namespace platform {

namespace {

constexpr UINT kGbk = 936;

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw Error("Text too long to convert");
    }
    return static_cast<int>(size);
}

// Converts one GBK character (one or two bytes) strictly; a sequence that the code page does
// not define becomes U+FFFD.
void AppendGbkCharacter(std::wstring& wide, std::string_view character) {
    wchar_t converted[2];
    const int length = ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, character.data(),
                                             static_cast<int>(character.size()), converted, 2);
    if (length <= 0) {
        wide.push_back(L'\uFFFD');
    } else {
        wide.append(converted, static_cast<std::size_t>(length));
    }
}

std::wstring GbkToWide(std::string_view gbk) {
    if (gbk.empty()) {
        return {};
    }
    const int length = CheckedLength(gbk.size());
    const int size =
        ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), length, nullptr, 0);
    if (size > 0) {
        std::wstring whole(static_cast<std::size_t>(size), L'\0');
        ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), length, whole.data(), size);
        return whole;
    }
    // Some sequence is not GBK: go character by character to replace only that one.
    std::wstring wide;
    wide.reserve(gbk.size());
    std::size_t pos = 0;
    while (pos < gbk.size()) {
        const bool twoBytes =
            ::IsDBCSLeadByteEx(kGbk, static_cast<BYTE>(gbk[pos])) && gbk.size() - pos >= 2;
        const std::size_t characterSize = twoBytes ? 2 : 1;
        AppendGbkCharacter(wide, gbk.substr(pos, characterSize));
        pos += characterSize;
    }
    return wide;
}

std::string WideToCodePage(std::wstring_view wide, UINT codePage, DWORD flags) {
    if (wide.empty()) {
        return {};
    }
    const int length = CheckedLength(wide.size());
    const int size =
        ::WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), length, text.data(), size, nullptr,
                          nullptr);
    return text;
}

std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length = CheckedLength(utf8.size());
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
    return wide;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    return WideToCodePage(GbkToWide(gbk), CP_UTF8, 0);
}

std::string Utf8ToGbk(std::string_view utf8) {
    // No best fit: a character that GBK cannot hold becomes "?", not a look-alike.
    return WideToCodePage(Utf8ToWide(utf8), kGbk, WC_NO_BEST_FIT_CHARS);
}

}  // namespace platform
