#include <iostream>

#include "combex/combex.h"

int main(int argc, char** argv) { return combex::RunCombex(argc, argv, std::cout, std::cerr); }
