// zolcli: sends one command to the ZOL server and writes the outcome to the
// result file; see README.md for the exit codes.
#include <csignal>
#include <string>
#include <vector>

#include "cli/zolcli_run.h"

int main(int argc, char** argv) {
    // A server that closes while we write must not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return zol::RunZolCli(args);
}
