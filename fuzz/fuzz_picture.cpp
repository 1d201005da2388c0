// The picture loader over arbitrary bytes, as each kind of theme icon: the first byte chooses the
// extension. Whatever the bytes, the answer is a picture or none, never a crash or a hang.

#include "platform/PictureLoader.h"

#include <QGuiApplication>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's readers warn about every damaged picture: the log is for findings only.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static const char* const kinds[] = {"bmp", "ico", "wmf", "emf", "png", "svg"};
    const QString extension = QString::fromLatin1(kinds[data[0] % 6]);
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1,
                           static_cast<qsizetype>(size - 1));
    (void)PictureLoader::decode(bytes, extension);
    return 0;
}
