// The fixed category tree. Its order and the numbering rule give each leaf the category number
// that prefixes the names of its message files, which the client that writes them relies on.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

namespace krv {

struct CategoryRow {
    std::string_view caption;  // GBK
    int level;                 // 0 for a top-level node, 1 for a child of the last top-level node
    int childCount;
    int imageIndex;  // the same whether or not the node is selected
};

// The nodes in depth-first order: a parent, its children, then the parent's next sibling.
inline constexpr std::array<CategoryRow, 9> kCategoryTable{{
    // Korvan官方信息
    {"Korvan\xb9\xd9\xb7\xbd\xd0\xc5\xcf\xa2", 0, 2, 0},
    // Korvan合订本
    {"Korvan\xba\xcf\xb6\xa9\xb1\xbe", 1, 0, 1},
    // 新书上市
    {"\xd0\xc2\xca\xe9\xc9\xcf\xca\xd0", 1, 0, 1},
    // 业界新闻
    {"\xd2\xb5\xbd\xe7\xd0\xc2\xce\xc5", 0, 0, 0},
    // 病毒预警
    {"\xb2\xa1\xb6\xbe\xd4\xa4\xbe\xaf", 0, 0, 0},
    // 电子图书
    {"\xb5\xe7\xd7\xd3\xcd\xbc\xca\xe9", 0, 0, 0},
    // BBS精华贴
    {"BBS\xbe\xab\xbb\xaa\xcc\xf9", 0, 2, 0},
    // 技术类
    {"\xbc\xbc\xca\xf5\xc0\xe0", 1, 0, 0},
    // 娱乐类
    {"\xd3\xe9\xc0\xd6\xc0\xe0", 1, 0, 0},
}};

// The numbering rule over nodeCount nodes in depth-first order: each node without children gets
// the next number, counting from 1; a node with children gets none and uses up no number. Each
// call counts afresh.
void NumberCategoryLeaves(std::size_t nodeCount,
                          const std::function<bool(std::size_t)>& hasChildren,
                          const std::function<void(std::size_t, int)>& assign);

}  // namespace krv
