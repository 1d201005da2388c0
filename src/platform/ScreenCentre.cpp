#include "platform/ScreenCentre.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void centreOver(QWidget* window, const QWidget* owner) {
    if (!owner) {
        centreOnScreen(window);
        return;
    }
    const QWidget* top = owner->window();
    QRect frame = window->frameGeometry();
    frame.moveCenter(top->frameGeometry().center());
    if (const QScreen* screen = top->screen()) {
        const QRect area = screen->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), area.left(),
                                  std::max(area.left(), area.right() + 1 - frame.width())));
        frame.moveTop(std::clamp(frame.top(), area.top(),
                                 std::max(area.top(), area.bottom() + 1 - frame.height())));
    }
    window->move(frame.topLeft());
}
