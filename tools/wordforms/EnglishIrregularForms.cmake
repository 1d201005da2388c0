# Writes the table of English irregular forms that the thesaurus looks up through ("came" ->
# come, "mice" -> mouse, "happier" -> happy): every line "form base [base ...]" of WordNet's
# exception lists (Debian's wordnet-base: verb.exc, noun.exc, adj.exc, adv.exc), as C++ rows
# sorted by form, one row for each base. Phrases (with "_") and abbreviations (with ".") are left
# out: the editor looks up one word.
#   cmake -DEXCEPTION_LISTS="a.exc;b.exc" -DOUT=EnglishIrregularForms.inc -P EnglishIrregularForms.cmake
set(rows)
foreach(exceptions IN LISTS EXCEPTION_LISTS)
    file(STRINGS ${exceptions} lines)
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "^[a-z'-]+( [a-z'-]+)+$")
            continue()
        endif()
        string(REPLACE " " ";" words "${line}")
        list(POP_FRONT words form)
        foreach(base IN LISTS words)
            if(NOT base STREQUAL form)
                list(APPEND rows "${form} ${base}")
            endif()
        endforeach()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES rows)
list(SORT rows)
list(LENGTH rows count)
set(text "// Made at build time by tools/wordforms/EnglishIrregularForms.cmake from WordNet's exception\n// lists; ${count} rows.\n")
foreach(row IN LISTS rows)
    string(REPLACE " " "\", \"" row "${row}")
    string(APPEND text "{\"${row}\"},\n")
endforeach()
file(WRITE ${OUT}.new "${text}")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
