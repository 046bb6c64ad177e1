// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AsNobody.h"

#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr uid_t kNobody = 65534;
constexpr int kCannotDrop = 99;
constexpr int kCannotExec = 98;
} // namespace

OwnerOnlyPty::OwnerOnlyPty()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return;
    slave_ = ::ptsname(master_);
    ok_ = ::chown(slave_.constData(), 0, 0) == 0 && ::chmod(slave_.constData(), 0600) == 0;
}

OwnerOnlyPty::~OwnerOnlyPty()
{
    if (master_ >= 0)
        ::close(master_);
}

NobodysRun RunAsNobody(const std::function<void(int out)>& work)
{
    NobodysRun run;
    int pipe[2];
    if (::pipe(pipe) != 0)
        return run;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0
            || ::chdir("/") != 0)
            ::_exit(kCannotDrop);
        work(pipe[1]);
        ::_exit(0);
    }
    ::close(pipe[1]);
    char chunk[512];
    for (ssize_t n; (n = ::read(pipe[0], chunk, sizeof chunk)) > 0;)
        run.output.append(chunk, n);
    ::close(pipe[0]);
    ::waitpid(child, &run.status, 0);
    return run;
}

NobodysRun ExecAsNobody(const char* program, const QList<QByteArray>& arguments)
{
    const int binary = ::open(program, O_RDONLY | O_CLOEXEC);
    if (binary < 0)
        return {};
    QList<QByteArray> words{QByteArray(program)};
    words += arguments;
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const NobodysRun run = RunAsNobody([&](int out) {
        ::dup2(out, STDERR_FILENO);
        ::fexecve(binary, argv.data(), environ);
        ::_exit(kCannotExec);
    });
    ::close(binary);
    return run;
}
