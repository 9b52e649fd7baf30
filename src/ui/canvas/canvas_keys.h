#pragma once
// The settings name keys ("DragAKey", "DragSKey", "GIFKey") by Windows virtual-key codes; the canvas
// compares them with the Qt keys it sees through this one table.

// The Qt key of a virtual-key code, or 0 when the code has no key here.
int QtKeyOfVirtualKey(int virtualKey);
