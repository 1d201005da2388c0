#pragma once

#include <QSize>

// Bounds on what the picture loader accepts. A sheet shows at most 100 pixels of its picture,
// so anything near these limits is a damaged or hostile file rather than a sheet icon.
namespace kerfa::pictureLimits {

inline constexpr int maxSide = 4096;
inline constexpr qint64 maxFileBytes = 64 << 20;
inline constexpr qint64 maxMetafileBytes = 4 << 20;
inline constexpr qsizetype maxSvgBytes = 16 << 20;

inline bool acceptable(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= maxSide &&
           size.height() <= maxSide;
}

} // namespace kerfa::pictureLimits
