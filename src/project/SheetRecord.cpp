#include "project/SheetRecord.h"

#include "common/IniFile.h"

SheetRecord SheetRecord::read(const IniFile& file) {
    SheetRecord record;
    record.typeIndex = file.readInteger(u"StateData", u"Type", 0);
    record.state = file.readInteger(u"StateData", u"State", 0);
    record.left = file.readInteger(u"Position", u"Left", 100);
    record.top = file.readInteger(u"Position", u"Top", 100);
    record.description = file.readString(u"Description", u"Text");
    record.linkTo = file.readString(u"LinkTo", u"Name");
    return record;
}

void SheetRecord::write(IniFile& file) const {
    file.writeInteger(u"StateData", u"Type", typeIndex);
    file.writeInteger(u"StateData", u"State", state);
    file.writeInteger(u"Position", u"Left", left);
    file.writeInteger(u"Position", u"Top", top);
    file.writeString(u"Description", u"Text", description);
    file.writeString(u"LinkTo", u"Name", linkTo);
}

int SheetRecord::typeIndexOf(int typeCode) {
    return (typeCode >= 0 && typeCode <= 12) ? typeCode - 1 : 0;
}

int SheetRecord::storedState(int state) {
    return (state >= 1 && state <= 5) ? state : 0;
}
