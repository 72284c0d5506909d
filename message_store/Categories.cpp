#include "message_store/Categories.h"

namespace krv {

void NumberCategoryLeaves(std::size_t nodeCount,
                          const std::function<bool(std::size_t)>& hasChildren,
                          const std::function<void(std::size_t, int)>& assign) {
    int number = 0;
    for (std::size_t i = 0; i < nodeCount; ++i) {
        if (!hasChildren(i)) {
            assign(i, ++number);
        }
    }
}

}  // namespace krv
