// ondrel-tokensim: plays one token on a virtual reader of vsmartcard-vpcd.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tokensim/simulator.h"

namespace {

// The system's default customer key, in clear only here and in the tests.
const char kDefaultCustomerKey[] = "57EE78C05FFF6B5D0AC061C6E5635B4B";

void Usage() {
    std::fprintf(
        stderr,
        "usage: ondrel-tokensim --reader-port PORT [--reader-host HOST]\n"
        "       [--control-port PORT] [--placed] [--serial DIGITS] [--key HEX32]\n"
        "       [--offset SECONDS] [--seed HEX] [--sealed] [--model clears-seed|keeps-seed]\n"
        "Prints \"control PORT\", then serves line commands there (see docs/token-protocol.md).\n");
}

}  // namespace

int main(int argc, char** argv) {
    SimulatorOptions options;
    std::vector<std::string> settings = {std::string("key ") + kDefaultCustomerKey};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                Usage();
                std::exit(2);
            }
            return argv[++i];
        };
        try {
            if (arg == "--reader-port") {
                options.readerPort = std::stoi(next());
            } else if (arg == "--reader-host") {
                options.readerHost = next();
            } else if (arg == "--control-port") {
                options.controlPort = std::stoi(next());
            } else if (arg == "--placed") {
                options.placed = true;
            } else if (arg == "--sealed") {
                settings.push_back("sealed 1");
            } else if (arg == "--serial" || arg == "--key" || arg == "--offset" ||
                       arg == "--seed" || arg == "--model") {
                settings.push_back(arg.substr(2) + " " + next());
            } else {
                Usage();
                return 2;
            }
        } catch (const std::exception&) {
            Usage();
            return 2;
        }
    }
    if (options.readerPort <= 0 || options.readerPort > 65535) {
        Usage();
        return 2;
    }
    Simulator simulator(options);
    for (const std::string& setting : settings) {
        std::string reply = simulator.Control("set " + setting);
        if (reply != "ok") {
            std::fprintf(stderr, "ondrel-tokensim: %s\n", reply.c_str());
            return 2;
        }
    }
    return simulator.Run();
}
