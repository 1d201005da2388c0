#include "PdfFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

QString PdfFile::run(const QString& program, QStringList arguments) const {
    QProcess process;
    arguments << m_path;
    // pdftotext writes beside the file unless told to write to its output.
    if (program == QLatin1String("pdftotext"))
        arguments << QStringLiteral("-");
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfFile::info(const QString& field) const {
    const QRegularExpression line(u'^' + field + QStringLiteral(":\\s*(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(run(QStringLiteral("pdfinfo"), {})).captured(1).trimmed();
}

int PdfFile::pageCount() const {
    return info(QStringLiteral("Pages")).toInt();
}

QString PdfFile::title() const {
    return info(QStringLiteral("Title"));
}

QStringList PdfFile::lines(int page) const {
    const QString text = run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-layout"), QStringLiteral("-f"),
                              QString::number(page), QStringLiteral("-l"), QString::number(page)});
    QStringList result;
    for (const QString& line : text.split(u'\n')) {
        const QString kept = line.trimmed();
        if (!kept.isEmpty())
            result << kept;
    }
    return result;
}

QList<PdfFile::Word> PdfFile::words(int page) const {
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                              QStringLiteral("-l"), QString::number(page)}));
    QList<Word> result;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"word")
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        Word word{{},
                  a.value(QLatin1String("xMin")).toDouble(),
                  a.value(QLatin1String("yMin")).toDouble(),
                  a.value(QLatin1String("xMax")).toDouble(),
                  a.value(QLatin1String("yMax")).toDouble()};
        word.text = xml.readElementText();
        result << word;
    }
    return result;
}

QStringList PdfFile::fonts() const {
    QStringList names;
    const QStringList rows = run(QStringLiteral("pdffonts"), {}).split(u'\n');
    // Two heading rows, then one font a row, its name first.
    for (qsizetype i = 2; i < rows.size(); ++i) {
        const QString name = rows[i].section(u' ', 0, 0, QString::SectionSkipEmpty);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}
