#pragma once

#include <QObject>
#include <QString>

#include <string>

// The language of the open book ([Book] Language of its project file: a tag such as "en-US"),
// which every editor window's spelling checker follows: while the book names a language the
// program has a main dictionary for, that dictionary stands in for the configured ones. The main
// window sets it as books open and close and as the writer chooses; the checkers listen.
class BookLanguage : public QObject {
    Q_OBJECT
public:
    static BookLanguage& instance();

    const QString& tag() const { return m_tag; }
    // The main dictionary of the book's language ("american.adm"), or empty for the configured
    // ones.
    std::string mainDictionary() const;
    void set(const QString& tag);

Q_SIGNALS:
    void changed();

private:
    QString m_tag;
};
