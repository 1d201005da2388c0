// The day log's reader over arbitrary bytes: the days it keeps are in order, one each, and what
// it writes reads back to the same days.

#include "project/DayLog.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DayLog log;
    log.parse(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QList<DayLog::Day>& days = log.days();
    for (qsizetype i = 1; i < days.size(); ++i)
        if (!(days[i - 1].date < days[i].date))
            std::abort();
    const QDate today(2026, 3, 2);
    (void)log.writtenToday(today);
    if (log.lastDays(today, 28).size() != 28)
        std::abort();
    log.recordCount(today, 1234);
    DayLog again;
    again.parse(log.serialize());
    if (again.days() != log.days())
        std::abort();
    return 0;
}
