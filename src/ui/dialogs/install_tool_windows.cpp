#include "ui/shell/editor_modules.h"

void InstallToolWindows(cMainWnd&) {}
