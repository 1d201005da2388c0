#pragma once

#include <QPlainTextEdit>

// A sheet's description as the properties dialog edits it: a few lines of plain text up to a
// length, where Enter confirms the dialog instead of breaking the line.
class DescriptionEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DescriptionEdit(QWidget* parent = nullptr);

    // Typing and pasting stop at this many characters; a longer text set by the program stays.
    void setMaxLength(int length) { m_maxLength = length; }
    int maxLength() const { return m_maxLength; }

    // Room for the few lines a description takes.
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // How many characters may still go in, in place of the selection.
    int room() const;

    int m_maxLength = 0;
};
