#include "ui/shell/editor_modules.h"

void InstallLists(cMainWnd&) {}
