#pragma once

#include <mutex>

// A system library opened the first time the program needs it instead of being linked. Every
// linked library costs each start a lookup of each of its symbols among all the libraries
// loaded, which is worth avoiding for a large library that only a few commands use. Opened by
// the name its package installs it under (its soname, as the build found it), and kept open.
class LateLibrary {
public:
    explicit LateLibrary(const char* soname) : m_soname(soname) {}

    // Sets slot to the library's function of that name; false, with slot null, when the
    // library cannot be opened or lacks the function.
    template <class Function> bool bind(Function*& slot, const char* name) {
        slot = reinterpret_cast<Function*>(symbol(name));
        return slot != nullptr;
    }

private:
    void* symbol(const char* name);

    const char* m_soname;
    std::once_flag m_opening;
    void* m_handle = nullptr;
};
