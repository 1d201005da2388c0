#include "app/EditorFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

QString EditorFont::defaultFamily() {
    const QStringList families = QFontDatabase::families();
    // Serif faces nearest in build to the one the editor was designed with, most like it first.
    for (const char* name :
         {"Georgia", "Arial", "C059", "P052", "Liberation Serif", "DejaVu Serif"})
        if (families.contains(QLatin1String(name), Qt::CaseInsensitive))
            return QString::fromLatin1(name);
    QFont serif;
    serif.setStyleHint(QFont::Serif);
    return QFontInfo(serif).family();
}
