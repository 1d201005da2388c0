#pragma once
// The enumerations of the spelling checker's properties, results and undo entries. Their order
// is part of the checker's contract (results are numbered 0 to 4, command sets are bit sets).

#include "spelling/TControlParser.h"

#include <bitset>
#include <string>

namespace kerfa::spelling {

// Where the configuration is kept. The library itself stores nothing: the program answers
// csCallback through OnConfigReadString/OnConfigWriteString; csFile and csRegistry, which the
// library cannot serve on its own, store nothing, like csNone.
enum TConfigStorage { csFile, csRegistry, csCallback, csNone };
enum TWordCheckResult { wcAccepted, wcExcluded, wcCorrected, wcDenied, wcRepeated };
enum TSpellAction { saIgnore, saIgnoreAll, saChange, saChangeAll, saAdd, saAutoCorrect };
enum TAllowedCases { cmNone, cmInitialCaps, cmInitialCapsOrUpcase, cmAnyCase, cmCustom };
enum TEndMessage { emNever, emAlways, emExceptCancel, emNoDialog };
enum TEndCursorPosition { epHome, epOriginal, epNoModify };
enum TSpellUIType { suiDialog, suiSilent };
enum TDialogInitialPos {
    ipScreenCenter,
    ipUnderSelection,
    ipAvoidControl,
    ipUserDefined,
    ipLastUserPos,
    ipIgnore,
    ipDesktopCenter
};
enum TSelectionAvoid { saNone, saAvoid, saAvoidUpDown, saMove, saMoveUpDown };

enum TSpellDialogCommand {
    sdcIgnore,
    sdcIgnoreAll,
    sdcChange,
    sdcChangeAll,
    sdcAdd,
    sdcAutoCorrect,
    sdcUndo,
    sdcHelp,
    sdcCancel,
    sdcOptions,
    sdcCustomDictionary,
    sdcCustomDictionaries,
    sdcConfigOK,
    sdcAddedEdit,
    sdcAutoCorrectEdit,
    sdcExcludedEdit,
    sdcInternalEdit,
    sdcMainDictFolderBrowse,
    sdcResetDefaults,
};
using TSpellDialogCommands = std::bitset<19>;

// One step the user (or a silent correction) took during a check, enough to take it back.
struct TSpellUndo {
    TControlParser::Position position; // where the word starts
    std::string word;                  // the text before the step
    TSpellAction action = saIgnore;
    std::string replacement;
    bool automatic = false; // a silent correction
    int data = 0;           // for OnParserUndoLast
};

} // namespace kerfa::spelling
