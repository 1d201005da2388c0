#include "common/LateLibrary.h"

#include <dlfcn.h>

void* LateLibrary::symbol(const char* name) {
    // Local, so that its symbols cannot stand in for those of anything loaded later.
    std::call_once(m_opening, [this] { m_handle = dlopen(m_soname, RTLD_NOW | RTLD_LOCAL); });
    return m_handle ? dlsym(m_handle, name) : nullptr;
}
