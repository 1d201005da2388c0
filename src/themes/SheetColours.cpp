#include "themes/SheetColours.h"

#include "common/ColourString.h"

namespace {

QString validOr(const QString& value, const char* fallback) {
    return ColourString::isValid(value) ? value : QString::fromLatin1(fallback);
}

void readColours(SheetColours& colours) {
    colours.textColour = SheetColours::colour(colours.text);
    colours.selectedColour = SheetColours::colour(colours.selected);
    colours.editingColour = SheetColours::colour(colours.editing);
    colours.labelColour = SheetColours::colour(colours.label);
    colours.lineColour = SheetColours::colour(colours.line);
}

} // namespace

std::shared_ptr<const SheetColours> SheetColours::make(const QString& text, const QString& selected,
                                                       bool labelTransparent, const QString& line,
                                                       const QString& label,
                                                       const QString& editing) {
    auto colours = std::make_shared<SheetColours>();
    colours->text = validOr(text, ColourString::kText);
    colours->selected = validOr(selected, ColourString::kSelected);
    colours->editing = validOr(editing, ColourString::kEditing);
    colours->label = validOr(label, ColourString::kLabel);
    colours->line = validOr(line, ColourString::kLine);
    colours->labelTransparent = labelTransparent;
    readColours(*colours);
    return colours;
}

std::shared_ptr<const SheetColours> SheetColours::initial() {
    static const std::shared_ptr<const SheetColours> colours = [] {
        auto made = std::make_shared<SheetColours>();
        made->text = QString::fromLatin1(ColourString::kText);
        made->selected = QString::fromLatin1(ColourString::kSelected);
        made->editing = QString::fromLatin1(ColourString::kEditing);
        made->label = QString::fromLatin1(ColourString::kLabel);
        readColours(*made);
        return made;
    }();
    return colours;
}

QColor SheetColours::colour(QStringView colourString) {
    const auto rgb = ColourString::parse(colourString);
    return rgb ? QColor(rgb->red, rgb->green, rgb->blue) : QColor(Qt::black);
}
