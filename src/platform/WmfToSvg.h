#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

#include <optional>

// Plays a Windows metafile through libwmf into an SVG document of the picture's own size.
class WmfToSvg {
public:
    struct Picture {
        QByteArray svg;
        QSize size;
    };

    // Nothing when the metafile is damaged, truncated or of absurd size.
    static std::optional<Picture> convert(QByteArrayView file);
};
