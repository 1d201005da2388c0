#pragma once

#include <thread>

// Loads the system's font configuration on a thread of its own while the window system connection
// is made: the first text the main window measures would otherwise wait several milliseconds for
// it. Qt's font database takes the configuration already loaded.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    // Waits for the thread.
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::thread m_thread;
};
