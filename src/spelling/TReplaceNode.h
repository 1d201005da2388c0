#pragma once
// TReplaceNode: a tree of replacement rules indexed byte by byte, so that the longest rule whose
// pattern starts a text is found in one descent. A node with a destination ends a pattern.

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace kerfa::spelling {

class TReplaceNode {
public:
    // Adds (or replaces) the rule pattern → destination that consumes `consumed` characters.
    void AddRule(std::string_view pattern, std::string_view destination, std::size_t consumed);
    void Clear();
    // The deepest node with a destination along `text`, or nullptr.
    const TReplaceNode* Longest(std::string_view text) const;
    // The length of the longest pattern.
    std::size_t Depth() const { return depth_; }

    bool HasDestination() const { return hasDestination_; }
    const std::string& Destination() const { return destination_; }
    std::size_t SourceLength() const { return sourceLength_; }

private:
    std::array<std::unique_ptr<TReplaceNode>, 256> children_;
    bool hasChildren_ = false;
    bool hasDestination_ = false;
    std::string destination_;
    std::size_t sourceLength_ = 0;
    std::size_t depth_ = 0;
};

} // namespace kerfa::spelling
