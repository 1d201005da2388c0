#include "editor/WindowPlacement.h"

#include "common/IniFile.h"

namespace {

constexpr char16_t kSection[] = u"EditWindow";

} // namespace

WindowPlacement WindowPlacement::read(const IniFile& file) {
    WindowPlacement placement;
    const QRect& d = placement.bounds;
    placement.maximised = file.readBool(kSection, u"Maximised", false);
    const int top = file.readInteger(kSection, u"Top", d.top());
    const int left = file.readInteger(kSection, u"Left", d.left());
    const int width = file.readInteger(kSection, u"Width", d.width());
    const int height = file.readInteger(kSection, u"Height", d.height());
    placement.bounds = QRect(left, top, width, height);
    return placement;
}

void WindowPlacement::write(IniFile& file) const {
    file.writeBool(kSection, u"Maximised", maximised);
    file.writeInteger(kSection, u"Top", bounds.top());
    file.writeInteger(kSection, u"Left", bounds.left());
    file.writeInteger(kSection, u"Width", bounds.width());
    file.writeInteger(kSection, u"Height", bounds.height());
}
