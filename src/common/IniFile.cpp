#include "common/IniFile.h"

#include "common/FileReader.h"
#include "common/FileWriter.h"
#include "common/TextCodec.h"

#include <QSet>

namespace {

// Settings, project, sheet, theme and language files are a few hundred bytes: one far larger, in
// bytes or in lines, is something else named by mistake (or on purpose), and reads as empty
// rather than into memory (parsed lines cost about a hundred bytes each).
constexpr FileReader::Limits kLimits{.maxBytes = 1024 * 1024, .maxLines = 20'000};

// Every lookup compares a name with the names of the file's lines, and nearly all are ASCII:
// those are told apart here, the rest by Unicode case folding, which keeps a name's length.
bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y)
            continue;
        if (x >= 0x80 || y >= 0x80)
            return a.compare(b, Qt::CaseInsensitive) == 0;
        const char16_t lower = x | 0x20;
        if (lower != (y | 0x20) || lower < u'a' || lower > u'z')
            return false;
    }
    return true;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {
    parse(FileReader::read(m_path, kLimits));
}

IniFile::IniFile(QString path, FileReader::Status& status) : m_path(std::move(path)) {
    parse(FileReader::read(m_path, kLimits, &status));
}

IniFile::Line IniFile::sectionLine(QStringView section) {
    Line line;
    line.kind = Kind::Section;
    line.owned = true;
    line.own = u'[' + section.toString() + u']';
    line.text = {0, line.own.size()};
    line.name = {1, section.size()};
    return line;
}

IniFile::Line IniFile::entryLine(QStringView key, QStringView value) {
    Line line;
    line.kind = Kind::Entry;
    line.owned = true;
    line.own.reserve(key.size() + 1 + value.size());
    line.own.append(key).append(u'=').append(value);
    line.text = {0, line.own.size()};
    line.name = {0, key.size()};
    line.value = {key.size() + 1, value.size()};
    return line;
}

void IniFile::parse(const QByteArray& bytes) {
    m_lines.clear();
    m_modified = false;
    m_text = TextCodec::decode(bytes);
    const QStringView text(m_text);
    const qsizetype n = text.size();
    std::size_t breaks = 0;
    for (const QChar c : text)
        breaks += c == u'\n' || c == u'\r';
    // CR LF counts twice: a few lines too many at most.
    m_lines.reserve(breaks + 1);
    const auto spanOf = [&](QStringView part) {
        return Span{part.isEmpty() ? 0 : part.data() - text.data(), part.size()};
    };
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        Line line;
        line.text = {start, end - start};
        const QStringView whole = text.mid(start, end - start);
        const QStringView trimmed = whole.trimmed();
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            if (close > 0) {
                line.kind = Kind::Section;
                line.name = spanOf(trimmed.mid(1, close - 1).trimmed());
            }
        } else if (!trimmed.startsWith(u';') && !trimmed.startsWith(u'#')) {
            const qsizetype eq = trimmed.indexOf(u'=');
            if (eq > 0) {
                line.kind = Kind::Entry;
                line.name = spanOf(trimmed.left(eq).trimmed());
                // The value is kept as written, blanks and all: some readers (sheet-type
                // names) keep them, others trim.
                const qsizetype at = whole.indexOf(u'=') + 1;
                line.value = {start + at, whole.size() - at};
            }
        }
        m_lines.push_back(std::move(line));
        if (end < n && text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

int IniFile::findSection(QStringView section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && sameName(nameOf(m_lines[i]), section))
            return static_cast<int>(i);
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const {
    auto i = static_cast<std::size_t>(sectionLine) + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return static_cast<int>(i);
}

int IniFile::findEntry(int sectionLine, QStringView key) const {
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        const Line& line = m_lines[static_cast<std::size_t>(i)];
        if (line.kind == Kind::Entry && sameName(nameOf(line), key))
            return i;
    }
    return -1;
}

const IniFile::Line* IniFile::entry(QStringView section, QStringView key) const {
    const int s = findSection(section);
    if (s < 0)
        return nullptr;
    const int e = findEntry(s, key);
    return e < 0 ? nullptr : &m_lines[static_cast<std::size_t>(e)];
}

QString IniFile::readString(QStringView section, QStringView key, const QString& fallback) const {
    const Line* line = entry(section, key);
    return line ? valueOf(*line).toString() : fallback;
}

bool IniFile::parseInteger(QStringView text, int& value) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty())
        return false;
    qint64 result = 0;
    for (const QChar c : text) {
        const int digit = c.isDigit() ? c.digitValue()
                          : (base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f')
                              ? c.toLower().unicode() - u'a' + 10
                              : -1;
        if (digit < 0 || digit >= base)
            return false;
        result = result * base + digit;
        if (result > (qint64{1} << 32))
            return false;
    }
    if (negative)
        result = -result;
    // Hexadecimal values up to 32 bits wrap to negative, as "$FFFFFFFF" reads -1.
    if (base == 16 && !negative && result > INT32_MAX && result <= UINT32_MAX)
        result -= qint64{1} << 32;
    if (result < INT32_MIN || result > INT32_MAX)
        return false;
    value = static_cast<int>(result);
    return true;
}

int IniFile::readInteger(QStringView section, QStringView key, int fallback) const {
    const Line* line = entry(section, key);
    int value = 0;
    return line && parseInteger(valueOf(*line), value) ? value : fallback;
}

bool IniFile::readBool(QStringView section, QStringView key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::sectionExists(QStringView section) const {
    return findSection(section) >= 0;
}

bool IniFile::valueExists(QStringView section, QStringView key) const {
    return entry(section, key) != nullptr;
}

QStringList IniFile::sections() const {
    QStringList result;
    for (const Line& line : m_lines)
        if (line.kind == Kind::Section && !result.contains(nameOf(line), Qt::CaseInsensitive))
            result << nameOf(line).toString();
    return result;
}

QStringList IniFile::keys(QStringView section) const {
    QStringList result;
    const int s = findSection(section);
    if (s < 0)
        return result;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const Line& line = m_lines[static_cast<std::size_t>(i)];
        if (line.kind == Kind::Entry && !result.contains(nameOf(line), Qt::CaseInsensitive))
            result << nameOf(line).toString();
    }
    return result;
}

QList<std::pair<QString, QString>> IniFile::entries(QStringView section) const {
    QList<std::pair<QString, QString>> result;
    const int s = findSection(section);
    if (s < 0)
        return result;
    QSet<QString> seen;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const Line& line = m_lines[static_cast<std::size_t>(i)];
        if (line.kind != Kind::Entry)
            continue;
        const qsizetype known = seen.size();
        seen.insert(nameOf(line).toString().toCaseFolded());
        if (seen.size() != known)
            result.append({nameOf(line).toString(), valueOf(line).toString()});
    }
    return result;
}

void IniFile::writeString(QStringView section, QStringView key, const QString& value) {
    // A value is one line: line breaks inside it would break the file apart.
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    int s = findSection(section);
    if (s < 0) {
        m_lines.push_back(sectionLine(section));
        s = static_cast<int>(m_lines.size()) - 1;
    }
    const int e = findEntry(s, key);
    if (e >= 0) {
        Line& line = m_lines[static_cast<std::size_t>(e)];
        if (valueOf(line) == clean)
            return;
        line = entryLine(nameOf(line), clean);
    } else {
        // After the section's last entry, so blank lines and comments that end it stay last.
        int at = sectionEnd(s);
        while (at > s + 1 && m_lines[static_cast<std::size_t>(at - 1)].kind == Kind::Other &&
               textOf(m_lines[static_cast<std::size_t>(at - 1)]).trimmed().isEmpty())
            --at;
        m_lines.insert(m_lines.begin() + at, entryLine(key, clean));
    }
    m_modified = true;
}

void IniFile::writeInteger(QStringView section, QStringView key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(QStringView section, QStringView key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::deleteKey(QStringView section, QStringView key) {
    const int s = findSection(section);
    if (s < 0)
        return;
    for (int e = findEntry(s, key); e >= 0; e = findEntry(s, key)) {
        m_lines.erase(m_lines.begin() + e);
        m_modified = true;
    }
}

void IniFile::eraseSection(QStringView section) {
    for (int s = findSection(section); s >= 0; s = findSection(section)) {
        m_lines.erase(m_lines.begin() + s, m_lines.begin() + sectionEnd(s));
        m_modified = true;
    }
}

QByteArray IniFile::serialize() const {
    QString text;
    for (const Line& line : m_lines) {
        text += textOf(line);
        text += QLatin1String("\r\n");
    }
    return text.toUtf8();
}

bool IniFile::save() {
    if (!m_modified)
        return true;
    if (!FileWriter::write(m_path, serialize()))
        return false;
    m_modified = false;
    return true;
}
