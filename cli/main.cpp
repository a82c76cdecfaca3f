#include <iostream>

#include "cli/command_line.h"

int main(int argc, char** argv) {
    return pellucid::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
}
