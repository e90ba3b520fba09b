#pragma once

#include <csignal>
#include <sys/resource.h>

// Files this process writes cannot grow beyond `bytes` while it lives: a disk that fills up.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) : signal(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited{bytes, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    rlimit previous{};
    void (*signal)(int);
};
