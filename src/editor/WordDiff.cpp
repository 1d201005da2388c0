#include "editor/WordDiff.h"

#include <optional>
#include <vector>

namespace {

using Kind = WordDiff::Kind;
using Units = std::vector<QStringView>;

bool inWord(QChar c) {
    return c.isLetterOrNumber() || c == u'\'' || c == u'\u2019';
}

Units words(QStringView text) {
    Units units;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i + 1;
        if (inWord(text[i]))
            while (end < text.size() && inWord(text[end]))
                ++end;
        else if (text[i].isSpace())
            while (end < text.size() && text[end].isSpace())
                ++end;
        units.push_back(text.sliced(i, end - i));
        i = end;
    }
    return units;
}

// Each line with the break that ends it.
Units lines(QStringView text) {
    Units units;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\n') {
            units.push_back(text.sliced(start, i + 1 - start));
            start = i + 1;
        }
    if (start < text.size())
        units.push_back(text.sliced(start));
    return units;
}

void append(QList<WordDiff::Piece>& pieces, Kind kind, QStringView text) {
    if (text.isEmpty())
        return;
    if (!pieces.isEmpty() && pieces.back().kind == kind)
        pieces.back().text += text;
    else
        pieces.append({kind, text.toString()});
}

// One step per unit of a (Removed), of b (Added) or of both (Same), in order, by the longest
// run of units the two share; none when the units that differ would need a larger table.
std::optional<std::vector<Kind>> steps(const Units& a, const Units& b) {
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const std::size_t n = a.size() - head - tail;
    const std::size_t m = b.size() - head - tail;
    if (n > 0 && m > 0 && n * m > std::size_t(WordDiff::kMaxCells))
        return std::nullopt;
    std::vector<Kind> out(head, Kind::Same);
    // The longest shared run from each pair of positions on; within the bound, never more than
    // 2,000 units, which 16 bits hold.
    const std::size_t w = m + 1;
    std::vector<quint16> longest((n + 1) * w, 0);
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            longest[i * w + j] = a[head + i] == b[head + j]
                                     ? quint16(longest[(i + 1) * w + j + 1] + 1)
                                     : std::max(longest[(i + 1) * w + j], longest[i * w + j + 1]);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n && j < m) {
        if (a[head + i] == b[head + j]) {
            out.push_back(Kind::Same);
            ++i;
            ++j;
        } else if (longest[(i + 1) * w + j] >= longest[i * w + j + 1]) {
            out.push_back(Kind::Removed);
            ++i;
        } else {
            out.push_back(Kind::Added);
            ++j;
        }
    }
    out.insert(out.end(), n - i, Kind::Removed);
    out.insert(out.end(), m - j, Kind::Added);
    out.insert(out.end(), tail, Kind::Same);
    return out;
}

// Appends the pieces of a and b by their steps; removed units of a stretch of changes go
// before the added ones, so each change reads as what went and then what came.
void appendSteps(QList<WordDiff::Piece>& pieces, const Units& a, const Units& b,
                 const std::vector<Kind>& kinds) {
    std::size_t i = 0;
    std::size_t j = 0;
    QString removed;
    QString added;
    const auto flush = [&] {
        append(pieces, Kind::Removed, removed);
        append(pieces, Kind::Added, added);
        removed.clear();
        added.clear();
    };
    for (const Kind kind : kinds) {
        switch (kind) {
        case Kind::Same:
            flush();
            append(pieces, Kind::Same, a[i]);
            ++i;
            ++j;
            break;
        case Kind::Removed:
            removed += a[i++];
            break;
        case Kind::Added:
            added += b[j++];
            break;
        }
    }
    flush();
}

// Word by word; text that needs too large a table shows as removed and added whole.
void compareWords(QList<WordDiff::Piece>& pieces, QStringView a, QStringView b) {
    const Units wa = words(a);
    const Units wb = words(b);
    if (const std::optional<std::vector<Kind>> kinds = steps(wa, wb)) {
        appendSteps(pieces, wa, wb, *kinds);
        return;
    }
    append(pieces, Kind::Removed, a);
    append(pieces, Kind::Added, b);
}

} // namespace

QList<WordDiff::Piece> WordDiff::forReading(QList<Piece> pieces) {
    for (qsizetype i = pieces.size() - 1; i > 0; --i) {
        const Piece& went = pieces[i - 1];
        const Piece& came = pieces[i];
        if (went.kind == Kind::Removed && came.kind == Kind::Added && !went.text.back().isSpace() &&
            !came.text.front().isSpace())
            pieces.insert(i, {Kind::Same, QStringLiteral(" ")});
    }
    return pieces;
}

QList<WordDiff::Piece> WordDiff::compare(QStringView before, QStringView after) {
    QList<Piece> pieces;
    const Units wa = words(before);
    const Units wb = words(after);
    if (const std::optional<std::vector<Kind>> kinds = steps(wa, wb)) {
        appendSteps(pieces, wa, wb, *kinds);
        return pieces;
    }
    // Paragraphs first; then the words of each stretch of changed paragraphs.
    const Units la = lines(before);
    const Units lb = lines(after);
    const std::optional<std::vector<Kind>> kinds = steps(la, lb);
    if (!kinds) {
        compareWords(pieces, before, after);
        return pieces;
    }
    std::size_t i = 0;
    std::size_t j = 0;
    qsizetype removedFrom = -1;
    qsizetype removedTo = -1;
    qsizetype addedFrom = -1;
    qsizetype addedTo = -1;
    const auto offsetIn = [](QStringView text, QStringView part) {
        return part.data() - text.data();
    };
    const auto flush = [&] {
        const QStringView removed =
            removedFrom < 0 ? QStringView() : before.sliced(removedFrom, removedTo - removedFrom);
        const QStringView added =
            addedFrom < 0 ? QStringView() : after.sliced(addedFrom, addedTo - addedFrom);
        if (!removed.isEmpty() || !added.isEmpty())
            compareWords(pieces, removed, added);
        removedFrom = removedTo = addedFrom = addedTo = -1;
    };
    for (const Kind kind : *kinds) {
        switch (kind) {
        case Kind::Same:
            flush();
            append(pieces, Kind::Same, la[i]);
            ++i;
            ++j;
            break;
        case Kind::Removed:
            if (removedFrom < 0)
                removedFrom = offsetIn(before, la[i]);
            removedTo = offsetIn(before, la[i]) + la[i].size();
            ++i;
            break;
        case Kind::Added:
            if (addedFrom < 0)
                addedFrom = offsetIn(after, lb[j]);
            addedTo = offsetIn(after, lb[j]) + lb[j].size();
            ++j;
            break;
        }
    }
    flush();
    return pieces;
}
