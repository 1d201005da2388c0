#include "common/TextCodec.h"

#include "common/Cp1252.h"

#include <string_view>

QString TextCodec::decode(const QByteArray& bytes) {
    std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (view.starts_with("\xEF\xBB\xBF"))
        view.remove_prefix(3);
    if (kerfa::cp1252::isValidUtf8(view))
        return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
    QString text;
    text.reserve(static_cast<qsizetype>(view.size()));
    for (const char ch : view)
        text +=
            QChar(static_cast<char16_t>(kerfa::cp1252::toUnicode(static_cast<std::uint8_t>(ch))));
    return text;
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
