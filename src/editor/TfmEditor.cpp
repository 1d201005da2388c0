#include "editor/TfmEditor.h"

#include "common/TextCodec.h"
#include "language/FormCaptions.h"

#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStatusBar>

TfmEditor::TfmEditor(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fmEditor"));
    m_memEditor = new QPlainTextEdit(this);
    m_memEditor->setObjectName(QStringLiteral("memEditor"));
    setCentralWidget(m_memEditor);
    m_sbStatus = new QStatusBar(this);
    m_sbStatus->setObjectName(QStringLiteral("sbStatus"));
    setStatusBar(m_sbStatus);
    setWindowTitle(QStringLiteral("Kerfa Editor"));
    FormCaptions::apply(this);
}

QString TfmEditor::textFilePath() const {
    return projectFolder + QStringLiteral("Text Files/") + sheetName + QStringLiteral(".txt");
}

bool TfmEditor::SaveText() {
    QSaveFile file(textFilePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = TextCodec::encode(TextCodec::toCrLf(m_memEditor->toPlainText()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        return false;
    m_memEditor->document()->setModified(false);
    return true;
}

bool TfmEditor::isModified() const {
    return m_memEditor->document()->isModified();
}
