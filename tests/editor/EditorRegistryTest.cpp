#include "editor/EditorRegistry.h"
#include "desk/Desk.h"
#include "desk/TKerfa.h"
#include "editor/EditorOptions.h"
#include "editor/TfmEditor.h"
#include "support/TestEnvironment.h"

#include <QGraphicsScene>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

// The open editor windows of the sheets: one per sheet, gone with the sheet, and the sheet
// knows it is edited exactly while its window exists.
class EditorRegistryTest : public QObject {
    Q_OBJECT

    QGraphicsScene m_scene;
    std::unique_ptr<Desk> m_desk;
    std::unique_ptr<EditorRegistry> m_editors;

    TKerfa* sheet(const QString& name) {
        TKerfa* s = m_desk->createSheet();
        s->SetSheetName(name);
        return s;
    }
    EditorOptions m_options;

    TfmEditor* editorWith(const QString& folder, const QString& name, const QString& text) {
        auto* editor = new TfmEditor(m_options);
        editor->setSheet(folder, name);
        if (!text.isEmpty())
            editor->findChild<QPlainTextEdit*>(QStringLiteral("memEditor"))->insertPlainText(text);
        return editor;
    }

private Q_SLOTS:
    void init() {
        m_desk = std::make_unique<Desk>(&m_scene);
        m_desk->setExtent(QSize(1000, 800));
        m_editors = std::make_unique<EditorRegistry>(*m_desk);
    }
    void cleanup() {
        m_desk.reset();
        m_editors.reset();
    }

    void aSheetIsEditedWhileItsWindowExists() {
        TKerfa* a = sheet(QStringLiteral("A"));
        QPointer<TfmEditor> first = editorWith({}, QStringLiteral("A"), {});
        m_editors->attach(a, first);
        QVERIFY(a->isEditing());
        QCOMPARE(m_editors->editorOf(a), first.data());

        // A second window for the same sheet replaces the first.
        QPointer<TfmEditor> second = editorWith({}, QStringLiteral("A"), {});
        m_editors->attach(a, second);
        QVERIFY(first.isNull());
        QVERIFY(a->isEditing());

        // The window goes by itself (its user closed it).
        delete second.data();
        QVERIFY(!a->isEditing());
        QCOMPARE(m_editors->editorOf(a), nullptr);
    }

    void aSheetLeavingTheDeskTakesItsWindow() {
        TKerfa* a = sheet(QStringLiteral("A"));
        TKerfa* b = sheet(QStringLiteral("B"));
        QPointer<TfmEditor> editorA = editorWith({}, QStringLiteral("A"), QStringLiteral("x"));
        QPointer<TfmEditor> editorB = editorWith({}, QStringLiteral("B"), {});
        m_editors->attach(a, editorA);
        m_editors->attach(b, editorB);
        QVERIFY(m_editors->AnyEditorModified());
        m_desk->deleteSheet(a);
        QVERIFY(editorA.isNull());
        QVERIFY(!m_editors->AnyEditorModified());
        m_desk->clear();
        QVERIFY(editorB.isNull());
    }

    void changedTextsAreSavedInDeskOrder() {
        QTemporaryDir project;
        const QString folder = project.path() + u'/';
        QVERIFY(QDir().mkpath(folder + QStringLiteral("Text Files")));
        TKerfa* a = sheet(QStringLiteral("A"));
        TKerfa* b = sheet(QStringLiteral("B"));
        TfmEditor* unchanged = editorWith(folder, QStringLiteral("A"), {});
        TfmEditor* changed = editorWith(folder, QStringLiteral("B"), QStringLiteral("Gale."));
        m_editors->attach(a, unchanged);
        m_editors->attach(b, changed);
        QVERIFY(m_editors->AnyEditorModified());
        QVERIFY(m_editors->SaveModifiedEditors());
        QVERIFY(!m_editors->AnyEditorModified());
        QVERIFY(!QFile::exists(folder + QStringLiteral("Text Files/A.txt")));
        QFile saved(folder + QStringLiteral("Text Files/B.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("Gale."));
    }
};

int main(int argc, char** argv) {
    TestEnvironment environment;
    QApplication app(argc, argv);
    EditorRegistryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EditorRegistryTest.moc"
