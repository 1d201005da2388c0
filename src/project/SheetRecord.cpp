#include "project/SheetRecord.h"

#include "common/IniFile.h"
#include "project/WordTarget.h"

namespace {

constexpr QStringView kTarget = u"Target";
constexpr QStringView kWords = u"Words";
constexpr QStringView kChainWords = u"ChainWords";

void writeTarget(IniFile& file, QStringView key, int target) {
    if (target > 0)
        file.writeInteger(kTarget, key, target);
    else
        file.deleteKey(kTarget, key);
}

} // namespace

SheetRecord SheetRecord::read(const IniFile& file) {
    SheetRecord record;
    record.typeIndex = file.readInteger(u"StateData", u"Type", 0);
    record.state = file.readInteger(u"StateData", u"State", 0);
    record.left = file.readInteger(u"Position", u"Left", 100);
    record.top = file.readInteger(u"Position", u"Top", 100);
    record.description = file.readString(u"Description", u"Text");
    record.linkTo = file.readString(u"LinkTo", u"Name");
    record.target = WordTarget::parse(file.readString(kTarget, kWords));
    record.chainTarget = WordTarget::parse(file.readString(kTarget, kChainWords));
    return record;
}

void SheetRecord::write(IniFile& file) const {
    file.writeInteger(u"StateData", u"Type", typeIndex);
    file.writeInteger(u"StateData", u"State", state);
    file.writeInteger(u"Position", u"Left", left);
    file.writeInteger(u"Position", u"Top", top);
    file.writeString(u"Description", u"Text", description);
    file.writeString(u"LinkTo", u"Name", linkTo);
    // A sheet without targets gains nothing: files stay as older versions wrote them.
    writeTarget(file, kWords, target);
    writeTarget(file, kChainWords, chainTarget);
    if (target == 0 && chainTarget == 0 && file.sectionExists(kTarget) &&
        file.keys(kTarget).isEmpty())
        file.eraseSection(kTarget);
}

int SheetRecord::typeIndexOf(int typeCode) {
    return (typeCode >= 0 && typeCode <= 12) ? typeCode - 1 : 0;
}

int SheetRecord::storedState(int state) {
    return (state >= 1 && state <= 5) ? state : 0;
}
