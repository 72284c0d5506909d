// GBK <-> UTF-8 through iconv. Conversion never fails: what cannot be converted is replaced and
// the conversion goes on with the next character.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/Platform.h"

namespace platform {
namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { ::iconv_close(cd); }
};
using UniqueIconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

UniqueIconv OpenConverter(const char* to, const char* from) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw Error(std::string("No conversion from ") + from + " to " + to);
    }
    return UniqueIconv(cd);
}

// Length of the UTF-8 sequence that a byte starts; a byte that starts none counts as one.
std::size_t Utf8Length(unsigned char byte) {
    if (byte >= 0xF0 && byte <= 0xF4) {
        return 4;
    }
    if (byte >= 0xE0) {
        return byte <= 0xEF ? 3 : 1;
    }
    return byte >= 0xC2 ? 2 : 1;
}

// skip(rest) says how many bytes to drop at a place that cannot be converted.
template <typename Skip>
std::string Convert(const char* to, const char* from, std::string_view text,
                    std::string_view replacement, Skip skip) {
    const UniqueIconv converter = OpenConverter(to, from);
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* put = buffer;
        std::size_t putLeft = sizeof buffer;
        const std::size_t done = ::iconv(converter.get(), &in, &inLeft, &put, &putLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(put - buffer));
        if (done != static_cast<std::size_t>(-1) || error == E2BIG) {
            continue;
        }
        const std::size_t dropped = std::min(inLeft, skip(std::string_view(in, inLeft)));
        out += replacement;
        in += dropped;
        inLeft -= dropped;
        ::iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    return Convert("UTF-8", "CP936", gbk, "\xEF\xBF\xBD",
                   [](std::string_view) -> std::size_t { return 1; });
}

std::string Utf8ToGbk(std::string_view utf8) {
    return Convert("CP936", "UTF-8", utf8, "?", [](std::string_view rest) {
        return Utf8Length(static_cast<unsigned char>(rest[0]));
    });
}

}  // namespace platform
