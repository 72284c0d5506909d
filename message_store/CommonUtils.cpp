#include "message_store/CommonUtils.h"

#include "message_store/Gbk.h"

namespace krv {
namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorNoAssociation = 1155;
constexpr unsigned kIconError = 16;  // MB_ICONERROR with a single OK button

}  // namespace

std::string ReplaceFirst(std::string text, const std::string& part,
                         const std::string& replacement) {
    const std::size_t pos = FindOnCharBoundary(text, part);
    if (pos == std::string_view::npos) {
        return text;
    }
    text.replace(pos, part.size(), replacement);
    return text;
}

std::string AppendBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path;
}

platform::ShellRequest BuildShellRequest(const std::string& path) {
    platform::ShellRequest request;
    request.file = path;
    const std::size_t last = FindLastDelimiter(path, "\\:");
    if (last != std::string_view::npos) {
        request.directory = path.substr(0, last + 1);
    }
    return request;
}

void ShellOpen(const std::string& path) {
    switch (platform::ShellExecute(BuildShellRequest(path))) {
        case kErrorFileNotFound:
            // 无法打开，未找到该文件！ / 信息
            platform::ShowMessageBox(
                "\xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA\xA3\xAC\xCE\xB4\xD5\xD2\xB5\xBD\xB8\xC3\xCE\xC4"
                "\xBC\xFE\xA3\xA1",
                "\xD0\xC5\xCF\xA2", kIconError);
            break;
        case kErrorNoAssociation:
            // 无法打开，请安装相关软件！ / 无关联
            platform::ShowMessageBox(
                "\xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA\xA3\xAC\xC7\xEB\xB0\xB2\xD7\xB0\xCF\xE0\xB9\xD8"
                "\xC8\xED\xBC\xFE\xA3\xA1",
                "\xCE\xDE\xB9\xD8\xC1\xAA", kIconError);
            break;
        default:
            break;
    }
}

}  // namespace krv
