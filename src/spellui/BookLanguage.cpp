#include "spellui/BookLanguage.h"

#include "spelling/DictionaryLanguages.h"

BookLanguage& BookLanguage::instance() {
    static BookLanguage language;
    return language;
}

std::string BookLanguage::mainDictionary() const {
    return kerfa::spelling::DictionaryLanguages::ForTag(m_tag.toStdString());
}

void BookLanguage::set(const QString& tag) {
    if (tag == m_tag)
        return;
    m_tag = tag;
    Q_EMIT changed();
}
