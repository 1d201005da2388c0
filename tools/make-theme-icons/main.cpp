// Makes the shipped theme icons and the file-type icons from their SVG sources:
//   make-theme-icons <source folder of Kerfa>
// Book Icons are drawn from the built-in pictures (src/themes/pictures), Screenplay Icons from
// tools/make-theme-icons/screenplay; the file-type icons from data/Icons/*.svg. The shipped
// themes name SVG icons, sized as the theme shows them, so that they stay sharp on any screen.
// The same pictures in the formats older themes use (bmp, ico, wmf, emf) seed the picture
// fuzzer. Each output's extension decides its format. Files are rewritten only when their bytes
// change.

#include "MetafileWriter.h"
#include "RasterIconWriter.h"
#include "ShapeRecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

namespace {

struct Icon {
    QString source;
    QString target;
    int size;
};

struct IconSet {
    QString sourceFolder;
    QString targetFolder;
    QString olderFormatsFolder;
    QColor ground;
    QList<Icon> icons;
};

const QColor bookDesk(0xff, 0xff, 0xff);
const QColor screenplayDesk(0xfa, 0xf6, 0xee);

QList<IconSet> iconSets() {
    return {
        {"src/themes/pictures",
         "data/Themes/Book Icons",
         "fuzz/seeds/pictures/Book",
         bookDesk,
         {{"compilation.svg", "Compilation.ico", 48},
          {"chapter.svg", "Chapter.bmp", 48},
          {"scene.svg", "Scene.bmp", 32},
          {"male-character.svg", "Male Character.ico", 32},
          {"female-character.svg", "Female Character.ico", 32},
          {"dialogue.svg", "Dialogue.bmp", 32},
          {"plot-outline.svg", "Plot Outline.ico", 32},
          {"note.svg", "Note.bmp", 32},
          {"project-notes.svg", "Project Notes.ico", 32}}},
        {"tools/make-theme-icons/screenplay",
         "data/Themes/Screenplay Icons",
         "fuzz/seeds/pictures/Screenplay",
         screenplayDesk,
         {{"script.svg", "Script.emf", 48},
          {"act.svg", "Act.ico", 48},
          {"sequence.svg", "Sequence.ico", 32},
          {"scene.svg", "Scene.wmf", 32},
          {"character.svg", "Character.ico", 32},
          {"location.svg", "Location.bmp", 32},
          {"beat-sheet.svg", "Beat Sheet.ico", 32},
          {"treatment.svg", "Treatment.wmf", 32},
          {"research.svg", "Research.ico", 32},
          {"note.svg", "Note.emf", 32}}},
    };
}

QImage render(const QString& path, int size) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

// The source drawing with its width and height set to the size the theme shows it at.
std::optional<QByteArray> sizedSvg(const QString& source, int size) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(source));
        return {};
    }
    QString svg = QString::fromUtf8(file.readAll());
    const qsizetype end = svg.indexOf(u'>');
    QString root = svg.left(end);
    static const QRegularExpression width(QStringLiteral(R"( width="[^"]*")"));
    static const QRegularExpression height(QStringLiteral(R"( height="[^"]*")"));
    if (end < 0 || !root.contains(width) || !root.contains(height)) {
        std::fprintf(stderr, "%s: the svg element needs a width and a height\n",
                     qPrintable(source));
        return {};
    }
    root.replace(width, QStringLiteral(R"( width="%1")").arg(size));
    root.replace(height, QStringLiteral(R"( height="%1")").arg(size));
    return (root + svg.mid(end)).toUtf8();
}

bool save(const QString& path, const QByteArray& bytes) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

std::optional<QByteArray> make(const QString& source, const Icon& icon, const QColor& ground) {
    const QString kind = QFileInfo(icon.target).suffix().toLower();
    if (kind == u"wmf" || kind == u"emf") {
        ShapeRecorder recorder(QSize(icon.size, icon.size));
        if (!recorder.record(source)) {
            std::fprintf(stderr, "%s cannot be a metafile: %s\n", qPrintable(source),
                         qPrintable(recorder.problems().join(", ")));
            return {};
        }
        return kind == u"wmf" ? MetafileWriter::wmf(recorder.shapes(), recorder.size())
                              : MetafileWriter::emf(recorder.shapes(), recorder.size());
    }
    const QImage picture = render(source, icon.size);
    if (picture.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(source));
        return {};
    }
    if (kind == u"ico")
        return RasterIconWriter::ico({picture});
    if (picture.pixelColor(0, picture.height() - 1).alpha() != 0) {
        std::fprintf(stderr, "%s: the bottom-left pixel must stay empty in a bitmap\n",
                     qPrintable(source));
        return {};
    }
    return RasterIconWriter::bmp(picture, ground);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-theme-icons <source folder of Kerfa>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const IconSet& set : iconSets()) {
        QDir().mkpath(root.filePath(set.targetFolder));
        QDir().mkpath(root.filePath(set.olderFormatsFolder));
        for (const Icon& icon : set.icons) {
            const QString source = root.filePath(set.sourceFolder + '/' + icon.source);
            const std::optional<QByteArray> svg = sizedSvg(source, icon.size);
            const QString name = QFileInfo(icon.target).completeBaseName() + QStringLiteral(".svg");
            ok = svg && save(root.filePath(set.targetFolder + '/' + name), *svg) && ok;
            const std::optional<QByteArray> older = make(source, icon, set.ground);
            ok = older && save(root.filePath(set.olderFormatsFolder + '/' + icon.target), *older) &&
                 ok;
        }
    }

    // The file-type icons: the project file, the sheet file and the program itself.
    const QList<int> sizes = {16, 24, 32, 48, 64, 256};
    for (const QString& name : {QStringLiteral("project"), QStringLiteral("kerfa")}) {
        QList<QImage> pictures;
        for (int size : sizes)
            pictures << render(root.filePath("data/Icons/" + name + ".svg"), size);
        ok = !pictures.first().isNull() &&
             save(root.filePath("data/Icons/" + name + ".ico"), RasterIconWriter::ico(pictures)) &&
             ok;
    }
    QFile program(root.filePath("src/themes/pictures/kerfa.svg"));
    ok = program.open(QIODevice::ReadOnly) &&
         save(root.filePath("data/Icons/kerfa-app.svg"), program.readAll()) && ok;
    return ok ? 0 : 1;
}
