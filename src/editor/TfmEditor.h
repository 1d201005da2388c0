#pragma once

#include <QMainWindow>

class QPlainTextEdit;
class QStatusBar;
class TKerfa;

// A sheet's editor window. The one made at start-up is the template whose translated captions
// every sheet's editor copies; it is never shown.
class TfmEditor : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmEditor(QWidget* parent = nullptr);

    QString projectFolder;
    QString sheetName;
    TKerfa* sheet = nullptr;

    // The sheet's text file: "Text Files/<sheet name>.txt" in the project folder.
    QString textFilePath() const;
    // Writes the memo to the text file; false, after its message, when it could not be written
    // (the file then keeps its old text).
    bool SaveText();
    bool isModified() const;

private:
    QPlainTextEdit* m_memEditor;
    QStatusBar* m_sbStatus;
};
