// zumble.exe: the whole command line is the path of a hive to import.
#include <windows.h>

#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return shell::RunZumble(instance, commandLine != nullptr ? commandLine : "");
}
