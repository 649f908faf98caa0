#include "conformance_protocol.h"

#include <iostream>
#include <string>

// Reads conformance requests from standard input, one a line, and answers each with one line,
// flushed at once so that a suite can hold a conversation with the driver.
int main()
{
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line))
        std::cout << tarvex::conformance::respond(line) << std::endl;
    return 0;
}
