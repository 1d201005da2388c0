#pragma once

#include "compile/ManuscriptExport.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QRadioButton;

// Asks how the compilation is to be exported: in which format, and whether each chapter keeps its
// sheet's description under its heading. Its own small dialog, so that the compilation window
// keeps its narrow fixed width; it starts from the last choice, kept in Kerfa.ini ([Export]).
class TfmExport : public QDialog {
    Q_OBJECT
public:
    struct Choice {
        ManuscriptExport::Format format = ManuscriptExport::Format::OpenDocument;
        bool descriptions = false;
    };

    explicit TfmExport(QWidget* parent = nullptr);

    // The choice, once confirmed with OK (and then kept in the settings file); none when the
    // writer cancelled.
    std::optional<Choice> ask(const QString& settingsFile);

    Choice choice() const;
    void setChoice(Choice choice);

    // The save dialog's kind of file for a format: its caption here, and its pattern.
    static QString fileFilter(ManuscriptExport::Format format);

private:
    QRadioButton* m_formats[5];
    QCheckBox* m_cbChapterDescriptions;
};
