#include "core/exit_cleanup.h"

#include <QFile>

#include <array>
#include <atomic>
#include <csignal>
#include <signal.h>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace exitcleanup {

namespace {

// Fixed storage: the signal handler may not allocate, so paths are copied in beforehand.
struct Slot {
    std::atomic<int> state{0}; // 0 free, 1 being filled, 2 file, 3 folder
    char path[PATH_MAX];
};

constexpr int kSlots = 64;
std::array<Slot, kSlots> g_remembered;

// Removes the entries directly inside a folder, with calls that are safe in a handler.
void emptyFolder(const char* path)
{
    const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    alignas(8) char buffer[4096];
    for (;;) {
        const long read = ::syscall(SYS_getdents64, folder, buffer, sizeof(buffer));
        if (read <= 0)
            break;
        for (long at = 0; at < read;) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
            const char* name = entry->d_name;
            if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
                ::unlinkat(folder, name, 0);
            at += entry->d_reclen;
        }
    }
    ::close(folder);
}

void removeRemembered()
{
    for (Slot& slot : g_remembered) {
        const int state = slot.state.load();
        if (state == 2) {
            ::unlink(slot.path);
        } else if (state == 3) {
            emptyFolder(slot.path);
            ::rmdir(slot.path);
        }
    }
}

void onSignal(int signalNumber)
{
    removeRemembered();
    // The handler was reset on entry (SA_RESETHAND): raised again, the signal ends the
    // process as it would have without us.
    ::raise(signalNumber);
}

} // namespace

int remember(const QString& path, bool isFolder)
{
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.isEmpty() || bytes.size() >= PATH_MAX)
        return -1;
    for (int handle = 0; handle < kSlots; ++handle) {
        int expected = 0;
        if (!g_remembered[handle].state.compare_exchange_strong(expected, 1))
            continue;
        std::memcpy(g_remembered[handle].path, bytes.constData(), size_t(bytes.size()) + 1);
        g_remembered[handle].state.store(isFolder ? 3 : 2);
        return handle;
    }
    return -1;
}

void forget(int handle)
{
    if (handle >= 0 && handle < kSlots)
        g_remembered[handle].state.store(0);
}

void installSignalHandlers()
{
    // A stack of its own, so that a stack overflow can still be cleaned up after.
    static std::array<char, 64 * 1024> alternateStack;
    stack_t stack{};
    stack.ss_sp = alternateStack.data();
    stack.ss_size = alternateStack.size();
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    for (int signalNumber :
         {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
        // A signal the process was started to ignore (nohup, a background job) stays ignored.
        struct sigaction current {};
        if (::sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signalNumber, &action, nullptr);
    }
}

} // namespace exitcleanup
