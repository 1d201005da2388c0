#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;

// The word targets of a sheet as a dialog edits them: the sheet's own and, for the first sheet
// of a chain, the chain's. An empty field or 0 is no target; the digits may be grouped as the
// interface's language groups them, or by blanks.
class TargetBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TargetBox(QWidget* parent = nullptr);

    // The chain's field shows only for a sheet that starts a chain.
    void setTargets(int target, int chainTarget, bool headsChain);
    int target() const;
    int chainTarget() const;
    // Whether the targets typed can be read; if not, says so and puts the caret in the field.
    bool checkTyped();
    QLineEdit* targetEdit() const { return m_edtTarget; }

private:
    QLineEdit* m_edtTarget;
    QLineEdit* m_edtChainTarget;
    QLabel* m_lblChainTarget;
    // A chain target kept while the sheet starts no chain stays as it was.
    int m_keptChainTarget = 0;
    bool m_headsChain = false;
};
