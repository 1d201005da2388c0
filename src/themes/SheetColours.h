#pragma once

#include <QColor>
#include <QString>
#include <memory>

// The colours of a sheet's label and link line: the colour strings as a theme gives them, each
// invalid one replaced by its default, and the colours they stand for, read once. A theme makes
// one set that all its sheets share, so that a repaint never reads a colour string.
struct SheetColours {
    QString text;
    QString selected;
    QString editing;
    QString label;
    QString line;
    bool labelTransparent = true;
    QColor textColour;
    QColor selectedColour;
    QColor editingColour;
    QColor labelColour;
    QColor lineColour;

    static std::shared_ptr<const SheetColours> make(const QString& text, const QString& selected,
                                                    bool labelTransparent, const QString& line,
                                                    const QString& label, const QString& editing);
    // A new sheet's colours, before any theme gives it others: the defaults, and no line colour.
    static std::shared_ptr<const SheetColours> initial();

    // A colour string as a colour; black when it does not read.
    static QColor colour(QStringView colourString);
};
