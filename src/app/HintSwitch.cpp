#include "app/HintSwitch.h"

#include <QEvent>

HintSwitch& HintSwitch::instance() {
    static HintSwitch hints;
    return hints;
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !m_enabled)
        return true;
    return QObject::eventFilter(watched, event);
}
