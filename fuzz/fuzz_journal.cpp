// The journal of a rename, delete or Replace In Book cut short, replayed from arbitrary bytes in a
// small book: whatever it names, nothing outside the book's folder changes (a folder beside it
// holds files named as the book's), and the journal is gone afterwards.

#include "project/BookJournal.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir* g_root = nullptr;

QString root() {
    return g_root->path() + u'/';
}

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

void layBook(const QString& folder) {
    put(folder + QStringLiteral("Novel.kerfa"), "[Workspace]\r\nSize=0\r\n");
    put(folder + QStringLiteral("Kerfa Files/One.kfa"), "[LinkTo]\r\nName=Two\r\n");
    put(folder + QStringLiteral("Kerfa Files/Two.kfa"), "[LinkTo]\r\nName=\r\n");
    put(folder + QStringLiteral("Text Files/One.txt"), "The lamp.");
    put(folder + QStringLiteral("Text Files/Two.txt"), "The storm.");
    put(folder + QStringLiteral("Text Files/.Two.txt.kerfa-replace"), "The gale.");
    put(folder + QStringLiteral("Snapshots/Two/2024-01-01 10.00.00.000.txt"), "A squall.");
}

// Every file below the folder but the book's, with its bytes.
QMap<QString, QByteArray> outside() {
    QMap<QString, QByteArray> files;
    QDirIterator it(root(),
                    QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path == root() + QStringLiteral("Book") ||
            path.startsWith(root() + QStringLiteral("Book/")))
            continue;
        QFile file(path);
        files.insert(path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("dir"));
    }
    return files;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    g_root = new QTemporaryDir();
    layBook(root() + QStringLiteral("Beside/"));
    put(root() + QStringLiteral("Kerfa Files/Two.kfa"), "[LinkTo]\r\nName=One\r\n");
    put(root() + QStringLiteral("Text Files/Two.txt"), "Not the book's.");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QMap<QString, QByteArray> before = outside();
    const QString book = root() + QStringLiteral("Book/");
    QDir(book).removeRecursively();
    layBook(book);
    BookJournal journal(book);
    put(journal.path(), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    journal.replay();
    if (journal.pending() || outside() != before)
        std::abort();
    return 0;
}
