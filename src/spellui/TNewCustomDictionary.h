#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kerfa::spelling {
class DictionaryCatalog;
class TSpellCheckerBase;
} // namespace kerfa::spelling

// Asks for the name of a new custom dictionary and makes it. A name that gives no file name,
// or a dictionary that cannot be made, keeps the dialog open.
class TNewCustomDictionary : public QDialog {
    Q_OBJECT
public:
    TNewCustomDictionary(const kerfa::spelling::TSpellCheckerBase& checker,
                         kerfa::spelling::DictionaryCatalog& catalog, QWidget* parent = nullptr);

    // The name of the dictionary made (its file name), once accepted.
    const QString& created() const { return m_created; }

    void accept() override;

private:
    kerfa::spelling::DictionaryCatalog& m_catalog;
    QString m_created;

    QLabel* m_lblName;
    QLineEdit* m_edtName;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
};
