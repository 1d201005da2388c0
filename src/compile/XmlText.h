#pragma once

#include <QString>

// Text made fit for an XML document: a sheet's text may hold characters that XML 1.0 does not
// allow at all, not even escaped (form feeds and other control characters pasted in from
// elsewhere); a reader refuses the whole document over one of them, so they are left out.
class XmlText {
public:
    static QString clean(QStringView text);
};
