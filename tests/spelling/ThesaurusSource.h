#pragma once
// A small thesaurus in Debian's mythes text form, compiled into a file of either layout for the
// thesaurus tests.

#include "TestFolder.h"
#include "thesc/MythesThesaurus.h"
#include "thesc/ThesaurusCompiler.h"

#include <string>

// Latin-1 letters in UTF-8 ("naïve"), a head word found only in lists in another case
// ("Bush"), a packed word ("catalogue") below a shorter one ("cat"), and antonyms.
inline const std::string kSmallSource = "UTF-8\n"
                                        "bush|3\n"
                                        "(noun)|shrub|woody plant (generic term)\n"
                                        "(noun)|Bush|George Bush|President (generic term)\n"
                                        "(verb)|supply (generic term)\n"
                                        "cat|2\n"
                                        "(noun)|true cat|feline (generic term)\n"
                                        "(noun)|kat|khat\n"
                                        "catalogue|1\n"
                                        "(noun)|catalog|list (generic term)\n"
                                        "happy|4\n"
                                        "(adj)|blessed (similar term)|glad (related term)|"
                                        "unhappy (antonym)\n"
                                        "(adj)|felicitous|fortunate (similar term)\n"
                                        "(adj)|glad|willing (similar term)\n"
                                        "(adj)|well-chosen|felicitous (similar term)\n"
                                        "glad|1\n"
                                        "(adj)|happy|willing (similar term)|sad (antonym)\n"
                                        "na\xC3\xAFve|1\n"
                                        "(adj)|ingenuous|unworldly (similar term)|"
                                        "sophisticated (antonym)\n"
                                        "quickly|1\n"
                                        "(adv)|rapidly|speedily|slowly (antonym)\n";

inline std::string compileSource(const std::string& source, bool wide) {
    kerfa::thesc::MythesThesaurus thesaurus;
    thesaurus.Parse(source);
    kerfa::thesc::ThesaurusCompiler compiler;
    thesaurus.AddTo(compiler);
    const auto image = compiler.Build("Test", kerfa::thesc::MythesThesaurus::kKindNames, wide);
    return {image.begin(), image.end()};
}
