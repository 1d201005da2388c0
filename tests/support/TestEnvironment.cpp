#include "support/TestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TestEnvironment::TestEnvironment() {
    const QString base = m_root.path();
    for (const char* sub : {"home", "config", "data", "cache", "state", "runtime", "program"})
        QDir().mkpath(base + u'/' + QLatin1String(sub));
    QFile::setPermissions(base + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", (base + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (base + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (base + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (base + QStringLiteral("/cache")).toUtf8());
    qputenv("XDG_STATE_HOME", (base + QStringLiteral("/state")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (base + QStringLiteral("/runtime")).toUtf8());
    qputenv("KERFA_HOME", (base + QStringLiteral("/program")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

bool TestEnvironment::copyTree(const QString& from, const QString& to) {
    const QDir source(from);
    if (!source.exists())
        return false;
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    bool ok = true;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + u'/' + source.relativeFilePath(path);
        if (QFileInfo(path).isDir())
            ok = QDir().mkpath(target) && ok;
        else
            ok = QFile::copy(path, target) && ok;
    }
    return ok;
}

void TestEnvironment::installFromBuild(const QString& folder) const {
    copyTree(builtProgramFolder() + folder, programFolder() + folder);
}

QString TestEnvironment::copySample(const QString& into) const {
    const QString name = QStringLiteral("The Lighthouse Keeper");
    copyTree(builtProgramFolder() + QStringLiteral("Examples/") + name, into + u'/' + name);
    return into + u'/' + name + u'/' + name + QStringLiteral(".kerfa");
}
