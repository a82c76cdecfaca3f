#include <csignal>
#include <iostream>

#include "cli/command_line.h"

int main(int argc, char** argv) {
    // A write past the file-size limit then fails like any other write, and the command reports
    // it, instead of the process being killed with a truncated file in place.
    std::signal(SIGXFSZ, SIG_IGN);
    return pellucid::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
}
