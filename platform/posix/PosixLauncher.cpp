#include "platform/posix/PosixLauncher.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <thread>

extern char** environ;

namespace mascot {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsSjisLead(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Appends the character at `i` (with its second byte, for a double-byte character) and moves on.
void CopyCharacter(std::string_view line, size_t& i, std::string& out) {
    const char c = line[i++];
    out += c;
    if (IsSjisLead(c) && i < line.size())
        out += line[i++];
}

std::string ProgramName(std::string_view line, size_t& i) {
    std::string program;
    bool inQuotes = false;
    while (i < line.size() && (inQuotes || !IsBlank(line[i]))) {
        if (line[i] == '"') {
            inQuotes = !inQuotes;
            ++i;
            continue;
        }
        CopyCharacter(line, i, program);
    }
    return program;
}

// One argument from `i`, which is at its first character.
std::string Argument(std::string_view line, size_t& i) {
    std::string arg;
    bool inQuotes = false;
    while (i < line.size()) {
        size_t slashes = 0;
        while (i < line.size() && line[i] == '\\') {
            ++slashes;
            ++i;
        }
        bool copy = true;
        if (i < line.size() && line[i] == '"') {
            if (slashes % 2 == 0) {
                if (inQuotes && i + 1 < line.size() && line[i + 1] == '"')
                    ++i;  // "" inside quotes: the second one is a literal quote
                else {
                    copy = false;
                    inQuotes = !inQuotes;
                }
            }
            slashes /= 2;
        }
        arg.append(slashes, '\\');
        if (i >= line.size() || (!inQuotes && IsBlank(line[i])))
            break;
        if (copy)
            CopyCharacter(line, i, arg);
        else
            ++i;
    }
    return arg;
}

// A child nobody else waits for: a thread of its own waits, so that it never stays a zombie, and
// only for this child, so that the rest of the process keeps its own children and signals.
bool WatchChild(pid_t pid) {
    try {
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    size_t i = 0;
    std::vector<std::string> args{ProgramName(commandLine, i)};
    for (;;) {
        while (i < commandLine.size() && IsBlank(commandLine[i]))
            ++i;
        if (i >= commandLine.size())
            return args;
        args.push_back(Argument(commandLine, i));
    }
}

bool PosixLauncher::Launch(const std::string& commandLine) {
    return Spawn(commandLine).has_value();
}

std::optional<pid_t> PosixLauncher::Spawn(const std::string& commandLine) {
    std::erase_if(m_unwatched, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.front().empty())
        return std::nullopt;
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    // The program starts as a program of its own: default signal handling, nothing blocked, and
    // a session of its own so that what stops this process does not stop it.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    flags |= POSIX_SPAWN_SETSID;
#endif
    posix_spawnattr_setflags(&attr, flags);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (error != 0)
        return std::nullopt;
    if (!WatchChild(pid))
        m_unwatched.push_back(pid);
    return pid;
}

}  // namespace mascot
