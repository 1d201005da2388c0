#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A printout read back with the poppler tools.
class PdfFile {
public:
    struct Word {
        QString text;
        // In points from the top-left corner of the page.
        double xMin, yMin, xMax, yMax;
    };

    explicit PdfFile(QString path) : m_path(std::move(path)) {}

    int pageCount() const;
    QString title() const;
    // The page's lines as laid out, blank ones left out, blanks around each removed.
    QStringList lines(int page) const;
    QList<Word> words(int page) const;
    // The names of the fonts embedded.
    QStringList fonts() const;

private:
    QString run(const QString& program, QStringList arguments) const;
    QString info(const QString& field) const;

    QString m_path;
};
