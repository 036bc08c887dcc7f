#include "tests/support/token_bench.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <winscard.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace {

constexpr char kSocket[] = "/run/pcscd/pcscd.comm";
constexpr char kVpcdDriver[] = "/usr/lib/pcsc/drivers/serial/libifdvpcd.so";
constexpr int kMaxLines = 8;

using Clock = std::chrono::steady_clock;

// fork and exec; the child gets deathSignal when the test program dies, so nothing outlives it.
pid_t Spawn(const std::vector<std::string>& args, int outFd, int deathSignal) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, deathSignal);
        if (getppid() != parent) _exit(127);
        if (outFd >= 0) {
            dup2(outFd, STDOUT_FILENO);
            dup2(outFd, STDERR_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Waits up to timeoutMs for the process to end; kills it when it does not.
void EndProcess(pid_t pid, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool PortFree(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<uint16_t>(port));
    bool free = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return free;
}

// True when a daemon answers on the socket; removes a socket that nobody serves any more.
bool SocketServed() {
    struct stat info;
    if (stat(kSocket, &info) != 0) return false;
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, kSocket, sizeof address.sun_path - 1);
    bool served = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    if (!served) {
        unlink(kSocket);
        unlink("/run/pcscd/pcscd.pid");
    }
    return served;
}

std::vector<std::string> ListedReaders() {
    std::vector<std::string> names;
    SCARDCONTEXT context = 0;
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context) != SCARD_S_SUCCESS) {
        return names;
    }
    char buffer[4096] = {};
    DWORD length = sizeof buffer;
    if (SCardListReaders(context, nullptr, buffer, &length) == SCARD_S_SUCCESS) {
        for (const char* p = buffer; *p; p += std::strlen(p) + 1) names.emplace_back(p);
    }
    SCardReleaseContext(context);
    return names;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TokenSimulator::TokenSimulator(pid_t pid, int controlPort, int readerPort)
    : pid_(pid), controlPort_(controlPort), readerPort_(readerPort) {}

TokenSimulator::~TokenSimulator() {
    Stop();
}

std::string TokenSimulator::Command(const std::string& line) {
    std::lock_guard<std::mutex> guard(lock_);
    if (fd_ < 0) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(controlPort_));
        if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(fd_);
            fd_ = -1;
            return "error simulator not reachable";
        }
    }
    std::string request = line + "\n";
    if (send(fd_, request.data(), request.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(request.size())) {
        return "error simulator not reachable";
    }
    std::string reply;
    char c;
    while (recv(fd_, &c, 1, 0) == 1) {
        if (c == '\n') return reply;
        reply += c;
    }
    close(fd_);
    fd_ = -1;
    return "error simulator went away";
}

std::map<std::string, std::string> TokenSimulator::Status() {
    std::map<std::string, std::string> fields;
    std::istringstream in(Command("status"));
    std::string pair;
    while (in >> pair) {
        size_t equals = pair.find('=');
        if (equals != std::string::npos) fields[pair.substr(0, equals)] = pair.substr(equals + 1);
    }
    return fields;
}

void TokenSimulator::Stop() {
    if (pid_ <= 0) return;
    Command("quit");
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }
    EndProcess(pid_, 2000);
    pid_ = -1;
}

TokenBench::TokenBench() {
    std::random_device random;
    std::uniform_int_distribution<int> pick(10000, 29000);
    for (int attempt = 0; attempt < 100 && basePort_ == 0; ++attempt) {
        int base = pick(random) * 2;
        bool free = true;
        for (int port = base; port < base + 2 * kMaxLines && free; ++port) free = PortFree(port);
        if (free) basePort_ = base;
    }
    char dir[] = "/tmp/ondrel-bench-XXXXXX";
    if (mkdtemp(dir)) configDir_ = dir;
}

TokenBench::~TokenBench() {
    simulators_.clear();
    StopDaemon();
    std::error_code error;
    if (!configDir_.empty()) std::filesystem::remove_all(configDir_, error);
}

std::string TokenBench::ProgramFolder() {
    char path[4096] = {};
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string text(path, n > 0 ? static_cast<size_t>(n) : 0);
    return text.substr(0, text.rfind('/'));
}

std::vector<std::string> TokenBench::ReaderNames() const {
    std::vector<std::string> names;
    for (const std::string& name : friendlyNames_) {
        names.push_back(name + " 00 00");
        names.push_back(name + " 00 01");
    }
    return names;
}

bool TokenBench::StartDaemon(const std::vector<std::string>& friendlyNames) {
    StopDaemon();
    error_.clear();
    if (basePort_ == 0 || configDir_.empty()) {
        error_ = "no free ports or no temporary folder for the bench";
        return false;
    }
    if (friendlyNames.empty() || friendlyNames.size() > kMaxLines) {
        error_ = "the bench takes 1 to 8 reader lines";
        return false;
    }
    // A daemon of a test that just ended may still be on its way out.
    for (int i = 0; i < 150 && SocketServed(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (SocketServed()) {
        error_ = std::string("a pcscd that this bench did not start serves ") + kSocket +
                 "; run the tests through tools/test as root, which gives them a private /run";
        return false;
    }
    mkdir("/run/pcscd", 0755);
    std::error_code error;
    std::filesystem::create_directories(configDir_ + "/conf", error);
    {
        std::ofstream conf(configDir_ + "/conf/vpcd");
        for (size_t i = 0; i < friendlyNames.size(); ++i) {
            // The vpcd driver keeps one state per slot number for all the lines that share a
            // loaded copy of it, so each line gets a copy of its own.
            std::string driver = configDir_ + "/driver" + std::to_string(i) + "/libifdvpcd.so";
            std::filesystem::create_directories(configDir_ + "/driver" + std::to_string(i), error);
            std::filesystem::copy_file(kVpcdDriver, driver,
                                       std::filesystem::copy_options::skip_existing, error);
            int port = basePort_ + 2 * static_cast<int>(i);
            conf << "FRIENDLYNAME \"" << friendlyNames[i] << "\"\n"
                 << "DEVICENAME /dev/null:" << port << "\n"
                 << "LIBPATH " << driver << "\n"
                 << "CHANNELID " << port << "\n\n";
        }
    }
    friendlyNames_ = friendlyNames;
    int log = open((configDir_ + "/pcscd.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    daemon_ = Spawn({"/usr/sbin/pcscd", "-f", "-c", configDir_ + "/conf"}, log, SIGTERM);
    close(log);
    if (daemon_ < 0) {
        error_ = "cannot start /usr/sbin/pcscd";
        return false;
    }
    return WaitForReaders(10000);
}

bool TokenBench::WaitForReaders(int timeoutMs) {
    std::vector<std::string> expected = ReaderNames();
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        if (waitpid(daemon_, nullptr, WNOHANG) == daemon_) {
            daemon_ = -1;
            error_ = "pcscd ended at start:\n" + FileText(configDir_ + "/pcscd.log");
            return false;
        }
        if (ListedReaders() == expected) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    error_ = "pcscd did not list the readers in time:\n" + FileText(configDir_ + "/pcscd.log");
    return false;
}

void TokenBench::StopDaemon() {
    if (daemon_ <= 0) return;
    kill(daemon_, SIGTERM);
    EndProcess(daemon_, 5000);
    daemon_ = -1;
    SocketServed();  // removes what a killed daemon left behind
}

bool TokenBench::RestartDaemon(const std::vector<std::string>& friendlyNames) {
    StopDaemon();
    return StartDaemon(friendlyNames);
}

TokenSimulator* TokenBench::StartSimulator(int reader, const std::vector<std::string>& options) {
    int fds[2];
    if (pipe(fds) != 0) return nullptr;
    std::vector<std::string> args = {ProgramFolder() + "/ondrel-tokensim", "--reader-port",
                                     std::to_string(ReaderPort(reader))};
    args.insert(args.end(), options.begin(), options.end());
    pid_t pid = Spawn(args, fds[1], SIGKILL);
    close(fds[1]);
    // The first line is "control PORT".
    std::string line;
    pollfd wait = {fds[0], POLLIN, 0};
    char c;
    while (line.find('\n') == std::string::npos && poll(&wait, 1, 5000) == 1 &&
           read(fds[0], &c, 1) == 1) {
        line += c;
    }
    close(fds[0]);
    int controlPort = 0;
    if (pid < 0 || std::sscanf(line.c_str(), "control %d", &controlPort) != 1) {
        if (pid > 0) EndProcess(pid, 0);
        error_ = "the simulator did not start: " + line;
        return nullptr;
    }
    simulators_.push_back(std::make_unique<TokenSimulator>(pid, controlPort, ReaderPort(reader)));
    return simulators_.back().get();
}

bool TokenBench::WaitCard(int reader, bool present, int timeoutMs) {
    std::vector<std::string> names = ReaderNames();
    if (reader < 0 || reader >= static_cast<int>(names.size())) return false;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    SCARDCONTEXT context = 0;
    SCARD_READERSTATE state{};
    state.szReader = names[static_cast<size_t>(reader)].c_str();
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    bool seen = false;
    while (!seen && Clock::now() < deadline) {
        if (context == 0 && SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context) !=
                                SCARD_S_SUCCESS) {
            context = 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        LONG result = SCardGetStatusChange(
            context, static_cast<DWORD>(std::max<int64_t>(left.count(), 1)), &state, 1);
        if (result == SCARD_S_SUCCESS) {
            seen = ((state.dwEventState & SCARD_STATE_PRESENT) != 0) == present;
            state.dwCurrentState = state.dwEventState & ~SCARD_STATE_CHANGED;
        } else if (result != SCARD_E_TIMEOUT) {
            SCardReleaseContext(context);
            context = 0;
            state.dwCurrentState = SCARD_STATE_UNAWARE;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (context != 0) SCardReleaseContext(context);
    return seen;
}
