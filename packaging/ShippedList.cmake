# Run at install time: lists every file of the installed share/kerfa with its SHA-256 checksum,
# in the form sha256sum writes, so that an installed Kerfa can tell the files a user changed in
# their own program folder from the files they left as shipped. KERFA_SHARE_DIR is the data
# folder relative to the prefix.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${KERFA_SHARE_DIR}")
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/*")
list(REMOVE_ITEM files "Shipped.sha256")
list(SORT files)
set(list "")
foreach(file IN LISTS files)
    file(SHA256 "${root}/${file}" hash)
    string(APPEND list "${hash}  ${file}\n")
endforeach()
file(WRITE "${root}/Shipped.sha256" "${list}")
message(STATUS "Listed ${root}/Shipped.sha256")
