#include "project/ProjectSettings.h"

#include "common/IniFile.h"

ProjectSettings ProjectSettings::read(const IniFile& file) {
    ProjectSettings settings;
    const int size = file.readInteger(u"Workspace", u"Size", 0);
    settings.workspaceSize = (size == 1 || size == 2) ? size : 0;
    settings.boldBaseType = file.readBool(u"Workspace", u"BoldBaseType", true);
    settings.theme = file.readString(u"Theme", u"Name", settings.theme).trimmed();
    settings.language = file.readString(u"Book", u"Language").trimmed();
    return settings;
}

void ProjectSettings::write(IniFile& file) const {
    file.writeBool(u"Workspace", u"BoldBaseType", boldBaseType);
    file.writeInteger(u"Workspace", u"Size", workspaceSize);
    file.writeString(u"Theme", u"Name", theme);
    // A book without a language of its own is written as older versions wrote it.
    if (!language.isEmpty()) {
        file.writeString(u"Book", u"Language", language);
    } else if (file.sectionExists(u"Book")) {
        file.deleteKey(u"Book", u"Language");
        if (file.keys(u"Book").isEmpty())
            file.eraseSection(u"Book");
    }
}
