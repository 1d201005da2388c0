#pragma once

#include <QDialog>
#include <QStringList>

class DescriptionEdit;
class QComboBox;
class QLineEdit;
class QPushButton;
class TargetBox;

// The properties of a sheet, new or existing: its name, type and description. The name is
// checked when OK is pressed (the sheet commands then move its files, with everything that
// names it); a name that cannot be taken keeps the dialog open.
class TfmProperties : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDescriptionLength = 200;

    explicit TfmProperties(QWidget* parent = nullptr);

    // What the dialog shows, given before each showing.
    struct Inputs {
        bool isNew = false;
        // With its trailing "/".
        QString projectFolder;
        // Empty for a new sheet.
        QString oldName;
        QString description;
        // The sheet's type code (0 the Compilation sheet, 1 to 12 the theme's types).
        int typeCode = 1;
        // The theme's twelve, empty ones included.
        QStringList typeNames;
        // Word targets (0: none); the chain's is offered for the first sheet of a chain.
        int target = 0;
        int chainTarget = 0;
        bool headsChain = false;
    };
    void setInputs(const Inputs& inputs);

    // After OK: the checked name, the chosen type index (-1 when none is chosen) and the
    // description.
    QString name() const;
    int typeIndex() const;
    QString description() const;
    int target() const;
    int chainTarget() const;

public Q_SLOTS:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    // Whether the name can be taken.
    bool FormClose();
    void refuse(const QString& message);

    Inputs m_inputs;
    QLineEdit* m_edtName;
    QComboBox* m_cmbKerfaType;
    DescriptionEdit* m_memDescription;
    TargetBox* m_targets;
    QPushButton* m_btnOk;
    QPushButton* m_btnCancel;
};
