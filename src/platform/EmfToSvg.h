#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

#include <optional>

// Converts an enhanced metafile into an SVG document of the picture's own size through
// libemf2svg. The file is first rebuilt from the records it can vouch for, because the
// converter trusts every offset and count it is given.
class EmfToSvg {
public:
    struct Picture {
        QByteArray svg;
        QSize size;
    };

    // Nothing when the metafile is damaged, truncated or of absurd size.
    static std::optional<Picture> convert(QByteArrayView file);

    // The rebuilt metafile handed to the converter; exposed for tests.
    static std::optional<QByteArray> sanitize(QByteArrayView file);
};
