#pragma once

#include "app/OptionChoices.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The options dialog: the program's settings and the open project's own, on three tabs
// (Application, Project, Editor). It is given the choices as they stand before it shows and
// gives back what the writer chose when it closes; applying them is the main window's. The
// language and theme lists are read from the program folder at every showing, so files added
// while Kerfa runs appear.
class TfmOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfmOptions(QWidget* parent = nullptr);

    void setChoices(const OptionChoices& choices) { m_choices = choices; }
    // After the dialog closed (OK or Cancel): what it shows. Only OK means they are to apply.
    const OptionChoices& choices() const { return m_choices; }

    // The names a list offers for the "*.ini" files of a folder: each file name up to its first
    // ".ini", in alphabetical order, with the file name beside it.
    static QList<std::pair<QString, QString>> iniFiles(const QString& folder);

public Q_SLOTS:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private Q_SLOTS:
    void cbAutoSaveClick();

private:
    void FormCreate();
    void FormShow();
    void FormClose();

    OptionChoices m_choices;
    bool m_fontsListed = false;

    QTabWidget* m_pgctrlOptions;
    QComboBox* m_cmbLanguage;
    QComboBox* m_cmbDefaultTheme;
    QCheckBox* m_cbRememberAppPos;
    QCheckBox* m_cbAutoCompKerfa;
    QCheckBox* m_cbHints;
    QRadioButton* m_rbNormal;
    QRadioButton* m_rbDouble;
    QRadioButton* m_rbQuad;
    QComboBox* m_cmbThemes;
    QCheckBox* m_cbBoldBaseType;
    QComboBox* m_cmbBookLanguage;
    QRadioButton* m_rbAll;
    QRadioButton* m_rbSingle;
    QRadioButton* m_rbNone;
    QCheckBox* m_cbEditorsOnTop;
    QComboBox* m_cmbFontName;
    QComboBox* m_cmbFontSize;
    QCheckBox* m_cbAutoSave;
    QComboBox* m_cmbInterval;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
};
