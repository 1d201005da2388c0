#include "spelling/TReplaceNode.h"

#include <algorithm>

namespace kerfa::spelling {

void TReplaceNode::AddRule(std::string_view pattern, std::string_view destination,
                           std::size_t consumed) {
    if (pattern.empty())
        return;
    depth_ = std::max(depth_, pattern.size());
    TReplaceNode* node = this;
    for (const char c : pattern) {
        auto& child = node->children_[static_cast<unsigned char>(c)];
        if (!child)
            child = std::make_unique<TReplaceNode>();
        node->hasChildren_ = true;
        node = child.get();
    }
    node->hasDestination_ = true;
    node->destination_ = destination;
    // A rule always consumes at least one character, or the code would never advance.
    node->sourceLength_ = std::clamp<std::size_t>(consumed, 1, pattern.size());
}

void TReplaceNode::Clear() {
    for (auto& child : children_)
        child.reset();
    hasChildren_ = hasDestination_ = false;
    destination_.clear();
    sourceLength_ = depth_ = 0;
}

const TReplaceNode* TReplaceNode::Longest(std::string_view text) const {
    const TReplaceNode* node = this;
    const TReplaceNode* best = nullptr;
    for (const char c : text) {
        if (!node->hasChildren_)
            break;
        node = node->children_[static_cast<unsigned char>(c)].get();
        if (!node)
            break;
        if (node->hasDestination_)
            best = node;
    }
    return best;
}

} // namespace kerfa::spelling
