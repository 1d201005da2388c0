#pragma once

#include <QGroupBox>

class QCheckBox;
class QLineEdit;

// The " Find " group of the windows that search text: the find box and, beneath it, Match Case
// and one more check box of the window's own. Tab goes between the text boxes and buttons; the
// check boxes are clicked or reached by their letters.
class FindGroup : public QGroupBox {
public:
    // The longest text the find (and replace) boxes take.
    static constexpr int kMaxFindLength = 60;

    FindGroup(QWidget* parent, const QString& secondBoxName);

    QLineEdit* findBox() const { return m_edtFind; }
    QCheckBox* matchCase() const { return m_cbMatchCase; }
    QCheckBox* secondBox() const { return m_cbSecond; }

private:
    QLineEdit* m_edtFind;
    QCheckBox* m_cbMatchCase;
    QCheckBox* m_cbSecond;
};
