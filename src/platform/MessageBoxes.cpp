#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageBoxes* g_installed = nullptr;

} // namespace

MessageBoxes& MessageBoxes::current() {
    static QtMessageBoxes qtBoxes;
    return g_installed ? *g_installed : qtBoxes;
}

void MessageBoxes::install(MessageBoxes* boxes) {
    g_installed = boxes;
}

void MessageBoxes::information(const QString& text) {
    current().show(Kind::Information, text, Buttons::Ok);
}

void MessageBoxes::warning(const QString& text) {
    current().show(Kind::Warning, text, Buttons::Ok);
}

void MessageBoxes::error(const QString& text) {
    current().show(Kind::Error, text, Buttons::Ok);
}

MessageBoxes::Answer MessageBoxes::confirm(const QString& text, Buttons buttons) {
    return current().show(Kind::Confirmation, text, buttons);
}

MessageBoxes::Answer QtMessageBoxes::show(Kind kind, const QString& text, Buttons buttons) {
    return showCaptioned(kind, QApplication::applicationDisplayName(), text, buttons);
}

MessageBoxes::Answer QtMessageBoxes::showCaptioned(Kind kind, const QString& caption,
                                                   const QString& text, Buttons buttons) {
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case Kind::Warning:
        icon = QMessageBox::Warning;
        break;
    case Kind::Error:
        icon = QMessageBox::Critical;
        break;
    case Kind::Information:
        icon = QMessageBox::Information;
        break;
    case Kind::Confirmation:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        set = QMessageBox::Ok;
        break;
    case Buttons::OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(icon, caption, text, set, QApplication::activeWindow());
    // Above every window of the program, the ones kept on top (Find & Compile, an editor set to
    // stay on top) included: a box beneath one would block every click unseen.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // Closing the box by its window button counts as Cancel where there is one.
        return (buttons == Buttons::Ok)                             ? Answer::Ok
               : (buttons == Buttons::YesNo)                        ? Answer::No
               : box.clickedButton() == box.button(QMessageBox::Ok) ? Answer::Ok
                                                                    : Answer::Cancel;
    }
}
