// hostprobe-capture: writes this host (or, with HOSTPROBE_SIMHOST, the simulated one) as a
// simulated-host description, to a file or standard output.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <unistd.h>

#include "capture/Anonymise.h"
#include "capture/HostCapture.h"


namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: hostprobe-capture [-o FILE] [--timeout SECONDS] [--user NAME]... [--anonymise]\n"
                 "       hostprobe-capture --anonymise --from FILE [-o FILE]\n");
}

// Writes the text to `path` through a temporary file renamed over it, so a failed run leaves
// no partial description; "-" is standard output.
bool writeOut(const std::string& path, const std::string& text) {
    if (path == "-") {
        std::cout << text;
        std::cout.flush();
        return static_cast<bool>(std::cout);
    }
    std::string temporary = path + ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::fprintf(stderr, "hostprobe-capture: cannot write %s: %s\n", temporary.c_str(), std::strerror(errno));
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "hostprobe-capture: cannot rename to %s: %s\n", path.c_str(), std::strerror(errno));
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    capture::CaptureOptions options;
    std::string output = "-", from;
    bool anonymise = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool more = i + 1 < argc;
        if ((arg == "-o" || arg == "--output") && more) {
            output = argv[++i];
        } else if (arg == "--timeout" && more) {
            char* end = nullptr;
            long seconds = std::strtol(argv[++i], &end, 10);
            if (end == nullptr || *end != '\0' || seconds < 1 || seconds > 3600) {
                std::fprintf(stderr, "hostprobe-capture: --timeout takes 1 to 3600 seconds\n");
                return 2;
            }
            options.timeoutSeconds = static_cast<int>(seconds);
        } else if (arg == "--user" && more) {
            options.users.push_back(argv[++i]);
        } else if (arg == "--anonymise" || arg == "--anonymize") {
            anonymise = true;
        } else if (arg == "--from" && more) {
            from = argv[++i];
        } else {
            usage();
            return 2;
        }
    }
    try {
        capture::json description;
        if (!from.empty()) {
            std::ifstream in(from);
            if (!in) {
                std::fprintf(stderr, "hostprobe-capture: cannot read %s: %s\n", from.c_str(), std::strerror(errno));
                return 1;
            }
            description = capture::json::parse(std::string(std::istreambuf_iterator<char>(in), {}));
        } else {
            // What the libraries print on their own (a vendor library's notices) goes to standard
            // error while the host is read, so standard output carries the description alone.
            std::fflush(stdout);
            int saved = ::dup(1);
            if (saved >= 0) ::dup2(2, 1);
            capture::CaptureLog log;
            description = capture::captureHost(options, log);
            std::fflush(stdout);
            if (saved >= 0) {
                ::dup2(saved, 1);
                ::close(saved);
            }
        }
        if (anonymise) description = capture::anonymised(description);
        return writeOut(output, description.dump(1, ' ', false, capture::json::error_handler_t::replace) + "\n") ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hostprobe-capture: %s\n", e.what());
        return 1;
    }
}
