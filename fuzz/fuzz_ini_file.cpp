// The INI reader over arbitrary bytes: every lookup, write and serialisation must hold, and what
// it writes must read back to the same values.

#include "common/IniFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Qt's warnings would bury the findings in the log.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IniFile file(QStringLiteral("/nonexistent/fuzz.ini"));
    file.parse(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QStringList sections = file.sections();
    for (const QString& section : sections) {
        for (const QString& key : file.keys(section)) {
            (void)file.readInteger(section, key, 0);
            (void)file.readBool(section, key, false);
        }
    }
    if (!sections.isEmpty())
        file.eraseSection(sections.front());
    file.deleteKey(u"Description", u"Text");
    file.writeString(u"StateData", u"State", QStringLiteral("3"));
    file.writeInteger(u"Position", u"Left", -12);

    IniFile again(QStringLiteral("/nonexistent/again.ini"));
    again.parse(file.serialize());
    if (again.readInteger(u"StateData", u"State", 0) != 3 ||
        again.readInteger(u"Position", u"Left", 0) != -12)
        std::abort();
    return 0;
}
