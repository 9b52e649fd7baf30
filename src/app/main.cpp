// pelko-editor: the desktop editor.
#include "ui/shell/editor_app.h"

int main(int argc, char** argv) {
    return RunEditor(argc, argv);
}
