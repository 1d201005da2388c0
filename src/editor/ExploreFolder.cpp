#include "editor/ExploreFolder.h"

#include "language/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QDir>
#include <QString>

void exploreFolder(const QString& folder) {
    Shell::current().openFolder(folder, [folder] {
        MessageBoxes::warning(Messages::text(Messages::CANNOT_SHOW_FOLDER) + QStringLiteral(" '") +
                              QDir::toNativeSeparators(folder) + u'\'');
    });
}
