#include "language/FormCaptions.h"

#include "language/Captions.h"
#include "language/Language.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

namespace {

void setCaption(QObject* component, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(component))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(component))
        menu->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(component))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(component))
        group->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(component))
        label->setText(text);
    else if (auto* page = qobject_cast<QWidget*>(component)) {
        // A tab page lies in the tab widget's stack; its caption is the tab's text.
        QWidget* stack = page->parentWidget();
        if (auto* tabs = qobject_cast<QTabWidget*>(stack ? stack->parentWidget() : nullptr))
            if (const int index = tabs->indexOf(page); index >= 0)
                tabs->setTabText(index, text);
    }
}

} // namespace

void FormCaptions::apply(QWidget* form) {
    // From the first time on, the window takes its captions again whenever a language file is
    // read; the connection goes with the window.
    static constexpr char kFollowing[] = "kerfaFollowsLanguage";
    if (!form->property(kFollowing).toBool()) {
        form->setProperty(kFollowing, true);
        QObject::connect(&Language::instance(), &Language::applied, form,
                         [form] { FormCaptions::apply(form); });
    }
    const QString window = form->objectName();
    for (const Captions::Row& row : Captions::rows()) {
        if (window != QLatin1String(row.window))
            continue;
        const QString component = QString::fromLatin1(row.component);
        const QString text = Captions::text(window, component);
        if (component.isEmpty())
            form->setWindowTitle(text);
        else if (QObject* child = form->findChild<QObject*>(component))
            setCaption(child, text);
    }
}
