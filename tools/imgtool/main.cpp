#include <iostream>

#include "tools/imgtool/imgtool.h"

int main(int argc, char* argv[]) { return RunImgtool(argc, argv, std::cout, std::cerr); }
