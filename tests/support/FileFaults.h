// Makes file writes fail for a while, even for root: writes past a small size limit fail as on a full
// disk (the limit's signal is ignored, so the write just returns an error), and file permissions bind.
#pragma once

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testing_support {

// While it lives, file permissions bind this thread even when it runs as root.
struct PermissionsBind {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct old[2]{};
    PermissionsBind() {
        syscall(SYS_capget, &header, old);
        __user_cap_data_struct reduced[2] = {old[0], old[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header, reduced);
    }
    ~PermissionsBind() { syscall(SYS_capset, &header, old); }
};

class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    void (*oldHandler_)(int);
    rlimit old_{};
};

} // namespace testing_support
