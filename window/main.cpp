// The program's entry: the whole run happens in runQuennix; its result is the exit code.
#include <windows.h>

#include "window/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return runQuennix(instance, RunOptions{}); }
