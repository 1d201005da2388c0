#include "common/TextCodec.h"

#include "common/TextEncoding.h"

#include <string_view>

QString TextCodec::decode(const QByteArray& bytes) {
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (kerfa::TextEncoding::isPlainUtf8(view))
        return QString::fromUtf8(bytes);
    const std::string utf8 = kerfa::TextEncoding::toUtf8(view);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QByteArray TextCodec::encode(const QString& text) {
    return text.toUtf8();
}

QString TextCodec::toCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 32);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += QLatin1String("\r\n");
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}
