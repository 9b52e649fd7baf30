#include "ui/shell/editor_modules.h"

void InstallCanvas(cMainWnd&) {}
