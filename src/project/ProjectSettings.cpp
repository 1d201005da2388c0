#include "project/ProjectSettings.h"

#include "common/IniFile.h"

ProjectSettings ProjectSettings::read(const IniFile& file) {
    ProjectSettings settings;
    const int size = file.readInteger(u"Workspace", u"Size", 0);
    settings.workspaceSize = (size == 1 || size == 2) ? size : 0;
    settings.boldBaseType = file.readBool(u"Workspace", u"BoldBaseType", true);
    settings.theme = file.readString(u"Theme", u"Name", settings.theme).trimmed();
    return settings;
}

void ProjectSettings::write(IniFile& file) const {
    file.writeBool(u"Workspace", u"BoldBaseType", boldBaseType);
    file.writeInteger(u"Workspace", u"Size", workspaceSize);
    file.writeString(u"Theme", u"Name", theme);
}
