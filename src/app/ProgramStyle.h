#pragma once

#include <QProxyStyle>

// The platform's style with the program's own touches: the pause before a hover hint shows, and
// the menu bar's overflow arrow drawn only when a menu bar first needs it. Qt loads that arrow
// while it builds any menu bar, by trying every picture format it has a plugin for, which is
// about a millisecond of every start for an arrow that shows only in a very narrow window.
class ProgramStyle : public QProxyStyle {
public:
    static constexpr int kHintPauseMs = 400;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                       const QWidget* widget) const override;
};
