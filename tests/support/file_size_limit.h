#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace tavrino::test {

// Makes every write beyond `bytes` fail, for any user, as a disk filling up
// part-way through a write would; the old limit and SIGXFSZ handling come
// back when the guard ends, even when an assertion ends the test early.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        active_ = ::getrlimit(RLIMIT_FSIZE, &saved_) == 0;
        rlimit small = saved_;
        small.rlim_cur = bytes;
        active_ = active_ && ::setrlimit(RLIMIT_FSIZE, &small) == 0;
        EXPECT_TRUE(active_) << "the file size limit could not be set";
    }
    ~FileSizeLimit() {
        if (active_)
            ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int);
    bool active_ = false;
};

} // namespace tavrino::test
