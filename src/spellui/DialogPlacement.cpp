#include "spellui/DialogPlacement.h"

#include <QList>

namespace {

QRect within(QRect r, const QRect& screen) {
    if (r.right() > screen.right())
        r.moveRight(screen.right());
    if (r.bottom() > screen.bottom())
        r.moveBottom(screen.bottom());
    if (r.left() < screen.left())
        r.moveLeft(screen.left());
    if (r.top() < screen.top())
        r.moveTop(screen.top());
    return r;
}

// The first candidate that stays clear of `avoid` once kept on the screen.
QRect firstClear(const QRect& dialog, const QList<QPoint>& places, const QRect& avoid,
                 const QRect& screen) {
    for (const QPoint& p : places) {
        QRect r = dialog;
        r.moveTopLeft(p);
        r = within(r, screen);
        if (!r.intersects(avoid))
            return r;
    }
    return dialog;
}

} // namespace

QRect DialogPlacement::avoid(const QRect& dialog, const QRect& word, const QRect& screen,
                             bool upDownOnly) {
    if (!dialog.intersects(word) || word.isEmpty())
        return dialog;
    constexpr int gap = 8;
    QList<QPoint> places{{dialog.left(), word.bottom() + gap},
                         {dialog.left(), word.top() - gap - dialog.height()}};
    if (!upDownOnly)
        places << QPoint(word.right() + gap, dialog.top())
               << QPoint(word.left() - gap - dialog.width(), dialog.top());
    return firstClear(dialog, places, word, screen);
}

QRect DialogPlacement::outside(const QRect& dialog, const QRect& control, const QRect& screen) {
    constexpr int gap = 8;
    const QList<QPoint> places{{control.right() + gap, control.top()},
                               {control.left() - gap - dialog.width(), control.top()},
                               {control.left(), control.bottom() + gap},
                               {control.left(), control.top() - gap - dialog.height()}};
    const QRect placed = firstClear(dialog, places, control, screen);
    if (placed != dialog)
        return placed;
    // No room beside the text: the screen's bottom-right corner hides the least of it.
    QRect r = dialog;
    r.moveBottomRight(screen.bottomRight());
    return r;
}
