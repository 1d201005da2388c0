#include "app/AppSettings.h"

#include "common/IniFile.h"

void AppSettings::load(const IniFile& file, const std::function<QString()>& fontDefault) {
    language = file.readString(u"Application", u"Language", language).trimmed();
    defaultTheme = file.readString(u"Application", u"DefaultTheme", defaultTheme).trimmed();
    saveWindowPos = file.readBool(u"Application", u"SaveWindowPos", saveWindowPos);
    descriptiveHints = file.readBool(u"Application", u"DescriptiveHints", descriptiveHints);
    const int memory = file.readInteger(u"Application", u"EditMemory", Single);
    editMemory = (memory == RememberAll || memory == Single) ? memory : None;
    autoCompKerfa = file.readBool(u"Application", u"AutoCompKerfa", autoCompKerfa);
    autoSave = file.readBool(u"Application", u"AutoSave", autoSave);
    autoSaveInterval = file.readInteger(u"Application", u"AutoSaveInterval", autoSaveInterval);
    stayOnTop = file.readBool(u"Editor", u"StayOnTop", stayOnTop);
    fontName = file.valueExists(u"Editor", u"FontName")
                   ? file.readString(u"Editor", u"FontName").trimmed()
                   : fontDefault();
    fontSize = file.readInteger(u"Editor", u"FontSize", fontSize);
    recovery = file.readBool(u"Recovery", u"Enabled", recovery);
    const int top = file.readInteger(u"AppWindow", u"Top", window.top());
    const int left = file.readInteger(u"AppWindow", u"Left", window.left());
    const int width = file.readInteger(u"AppWindow", u"Width", window.width());
    const int height = file.readInteger(u"AppWindow", u"Height", window.height());
    window = QRect(left, top, width, height);
}

void AppSettings::save(IniFile& file, const QRect* windowBounds) const {
    file.writeString(u"Application", u"Language", language);
    file.writeString(u"Application", u"DefaultTheme", defaultTheme);
    file.writeBool(u"Application", u"SaveWindowPos", saveWindowPos);
    file.writeBool(u"Application", u"DescriptiveHints", descriptiveHints);
    file.writeInteger(u"Application", u"EditMemory", editMemory);
    file.writeBool(u"Application", u"AutoCompKerfa", autoCompKerfa);
    file.writeBool(u"Application", u"AutoSave", autoSave);
    file.writeInteger(u"Application", u"AutoSaveInterval", autoSaveInterval);
    file.writeBool(u"Editor", u"StayOnTop", stayOnTop);
    file.deleteKey(u"Editor", u"Font Name");
    file.deleteKey(u"Editor", u"Font Size");
    file.writeString(u"Editor", u"FontName", fontName);
    file.writeInteger(u"Editor", u"FontSize", fontSize);
    file.writeBool(u"Recovery", u"Enabled", recovery);
    if (windowBounds) {
        file.writeInteger(u"AppWindow", u"Top", windowBounds->top());
        file.writeInteger(u"AppWindow", u"Left", windowBounds->left());
        file.writeInteger(u"AppWindow", u"Width", windowBounds->width());
        file.writeInteger(u"AppWindow", u"Height", windowBounds->height());
    }
}
