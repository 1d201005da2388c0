#include "GeneratedBook.h"

#include "FortuneProse.h"
#include "common/TextCodec.h"
#include "editor/SheetText.h"
#include "editor/WordCount.h"

#include <QDir>
#include <QFile>

QString GeneratedBook::prose() {
    const std::string bytes = kerfa::bench::FortuneProse::Load();
    return TextCodec::decode(QByteArray::fromStdString(bytes));
}

QString GeneratedBook::sheet(const QStringList& proseLines, int n, qint64 words) {
    QString text;
    qint64 count = 0;
    // Another place in the prose for every sheet.
    qsizetype line = (static_cast<qsizetype>(n) * 7919) % proseLines.size();
    while (count < words) {
        const QString& next = proseLines[line];
        text += next;
        text += QStringLiteral("\r\n");
        count += WordCount::CountLineWords(next);
        line = (line + 1) % proseLines.size();
    }
    return text;
}

qint64 GeneratedBook::write(const QString& folder, int sheets, qint64 wordsPerSheet) {
    const QStringList lines = prose().split(QStringLiteral("\r\n"));
    QDir().mkpath(folder + QStringLiteral("Kerfa Files"));
    QDir().mkpath(folder + QStringLiteral("Text Files"));
    QFile project(folder + QStringLiteral("Book.kerfa"));
    if (!project.open(QIODevice::WriteOnly))
        return 0;
    project.write("[Workspace]\r\nSize=2\r\n");
    project.close();
    qint64 total = 0;
    for (int n = 0; n < sheets; ++n) {
        const QString name = QStringLiteral("Sheet %1").arg(n, 4, 10, QLatin1Char('0'));
        QFile sheet(folder + QStringLiteral("Kerfa Files/") + name + QStringLiteral(".kfa"));
        if (!sheet.open(QIODevice::WriteOnly))
            return 0;
        const QString text = GeneratedBook::sheet(lines, n, wordsPerSheet);
        // The description is the sheet's first line of prose, as long as a description may be.
        const QString description = text.section(QStringLiteral("\r\n"), 0, 0).left(255);
        sheet.write(QStringLiteral("[StateData]\r\nType=0\r\nState=0\r\n[Position]\r\nLeft=%1\r\n"
                                   "Top=%2\r\n[Description]\r\nText=%3\r\n")
                        .arg(100 + (n % 80) * 48)
                        .arg(100 + (n / 80) * 48)
                        .arg(description)
                        .toUtf8());
        // Written plainly: syncing five thousand files would make the set-up take minutes.
        QFile file(SheetText::pathOf(folder, name));
        if (!file.open(QIODevice::WriteOnly) || file.write(TextCodec::encode(text)) < 0)
            return 0;
        total += WordCount::CountWords(text);
    }
    return total;
}
