#include "language/FormCaptions.h"
#include "language/Captions.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

// Captions reach every kind of component a window has, by object name.
class FormCaptionsTest : public QObject {
    Q_OBJECT

    template <class T> static T* named(QWidget* parent, const char* name) {
        auto* component = new T(parent);
        component->setObjectName(QString::fromLatin1(name));
        return component;
    }

private Q_SLOTS:
    void cleanup() { Captions::reset(); }

    void everyKindOfComponent() {
        QDialog form;
        form.setObjectName(QStringLiteral("fmOptions"));
        auto* tabs = new QTabWidget(&form);
        QWidget* page = named<QWidget>(nullptr, "tsProject");
        tabs->addTab(named<QWidget>(nullptr, "tsApplication"), QString());
        tabs->addTab(page, QString());
        auto* group = named<QGroupBox>(page, "gbKerfaLabels");
        auto* check = named<QCheckBox>(group, "cbBoldBaseType");
        auto* label = named<QLabel>(&form, "lblInterval");
        auto* menu = named<QMenu>(&form, "nowhereInTheTable");

        Captions::setFromLanguage(u"Dialog.Options", u"TB01", QStringLiteral("Projekt"));
        Captions::setFromLanguage(u"Dialog.Options", u"GB05", QStringLiteral("Etiketten"));
        FormCaptions::apply(&form);
        QCOMPARE(form.windowTitle(), QStringLiteral("Kerfa Options"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Application"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Projekt"));
        QCOMPARE(group->title(), QStringLiteral(" Etiketten "));
        QCOMPARE(check->text(), QStringLiteral("&Bold Main Kerfa Type "));
        QCOMPARE(label->text(), QStringLiteral("mins."));
        QCOMPARE(menu->title(), QString());
    }

    void menusAndTheirItems() {
        QDialog form;
        form.setObjectName(QStringLiteral("fmCompile"));
        auto* popup = named<QMenu>(&form, "pmnuCompile");
        QAction* del = popup->addAction(QString());
        del->setObjectName(QStringLiteral("pmnuDelete"));
        Captions::setFromLanguage(u"Dialog.Compile", u"PM00", QStringLiteral("&Entfernen"));
        // The main window's key for its own pmnuDelete does not reach this window.
        Captions::setFromLanguage(u"Project.PopupKerfa", u"MN03", QStringLiteral("&Löschen"));
        FormCaptions::apply(&form);
        QCOMPARE(del->text(), QStringLiteral("&Entfernen"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Kerfa Compilation"));
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    FormCaptionsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FormCaptionsTest.moc"
