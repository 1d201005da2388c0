#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <memory>

class QTranslator;

// The language in force: reads a language file into the captions table and the message table,
// and tells every window that follows the captions (FormCaptions) to take them again. A value
// that is missing or empty keeps the text in force, so a file that lacks a key leaves the text
// of the file read before it.
class Language : public QObject {
    Q_OBJECT
public:
    static Language& instance();

    // Reads the language file at path: its caption keys in the table's order, every key of
    // [Messages], then its locale. A path that is not a file changes nothing and returns false.
    bool load(const QString& path);

    // The file name of the language last read ("German.ini"); empty until one was. It chooses
    // the language of the spelling dialogs.
    const QString& fileName() const { return m_fileName; }

    // The locale the language file names ([Language] Locale); the system's until one does.
    QLocale locale() const { return m_locale.isEmpty() ? QLocale() : QLocale(m_locale); }

    // Back to the built-in English texts, with no language file read.
    void reset();

    // A language file's name without its first ".ini", in lower case: "german".
    static QString nameOf(const QString& fileName);

Q_SIGNALS:
    // A language file was read: every caption and message may have changed.
    void applied();

private:
    Language();
    ~Language() override;
    void useQtTexts(const QString& locale);

    QString m_fileName;
    QString m_locale;
    std::unique_ptr<QTranslator> m_qtTexts;
};
