// The process entry point. Kept out of platform_framework (target platform_main)
// so that programs with their own main(), such as the test programs, link the
// framework without it.
#include "platform/framework/WinMain.h"

int main(int argc, char** argv) { return platform::RunMain(argc, argv); }
