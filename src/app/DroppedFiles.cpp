#include "app/DroppedFiles.h"

#include "common/FileNames.h"
#include "project/ProjectNames.h"

DroppedFiles::Kind DroppedFiles::classify(const QStringList& paths) {
    if (paths.size() >= 2)
        return Kind::TooMany;
    const QString extension = FileNames::extension(paths.value(0));
    if (extension == ProjectNames::sheetExtension())
        return Kind::SheetFile;
    if (extension == QLatin1String(".txt"))
        return Kind::TextFile;
    if (extension != ProjectNames::projectExtension())
        return Kind::NotText;
    return Kind::Project;
}
