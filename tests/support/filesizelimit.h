#pragma once

#include "shell/filesizesignal.h"

#include <csignal>
#include <sys/resource.h>

// Files this process writes cannot grow beyond `bytes` while it lives: a disk that fills up,
// or a file-size limit. The signal such a write raises is handled as main() handles it
// (ignoreFileSizeSignal), so the program under test must report the failed write.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        sigaction(SIGXFSZ, nullptr, &previousAction);
        ignoreFileSizeSignal();
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited{bytes, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous);
        sigaction(SIGXFSZ, &previousAction, nullptr);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    rlimit previous{};
    struct sigaction previousAction {};
};
