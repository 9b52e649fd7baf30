#include "ui/canvas/canvas_keys.h"

#include <Qt>

#include <iterator>

namespace {

struct strKeyPair {
    int virtualKey;
    int qtKey;
};

// Codes whose value differs from the Qt key (letters 0x41..0x5A and digits 0x30..0x39 are equal).
constexpr strKeyPair kKeys[] = {
    {0x08, Qt::Key_Backspace},    {0x09, Qt::Key_Tab},         {0x0D, Qt::Key_Return},
    {0x10, Qt::Key_Shift},        {0x11, Qt::Key_Control},     {0x12, Qt::Key_Alt},
    {0x13, Qt::Key_Pause},        {0x14, Qt::Key_CapsLock},    {0x1B, Qt::Key_Escape},
    {0x20, Qt::Key_Space},        {0x21, Qt::Key_PageUp},      {0x22, Qt::Key_PageDown},
    {0x23, Qt::Key_End},          {0x24, Qt::Key_Home},        {0x25, Qt::Key_Left},
    {0x26, Qt::Key_Up},           {0x27, Qt::Key_Right},       {0x28, Qt::Key_Down},
    {0x2D, Qt::Key_Insert},       {0x2E, Qt::Key_Delete},      {0x5B, Qt::Key_Meta},
    {0x5D, Qt::Key_Menu},         {0x6A, Qt::Key_Asterisk},    {0x6B, Qt::Key_Plus},
    {0x6D, Qt::Key_Minus},        {0x6E, Qt::Key_Period},      {0x6F, Qt::Key_Slash},
    {0xBA, Qt::Key_Semicolon},    {0xBB, Qt::Key_Equal},       {0xBC, Qt::Key_Comma},
    {0xBD, Qt::Key_Minus},        {0xBE, Qt::Key_Period},      {0xBF, Qt::Key_Slash},
    {0xC0, Qt::Key_QuoteLeft},    {0xDB, Qt::Key_BracketLeft}, {0xDC, Qt::Key_Backslash},
    {0xDD, Qt::Key_BracketRight}, {0xDE, Qt::Key_Apostrophe},
};

} // namespace

int QtKeyOfVirtualKey(int vk) {
    if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A)) return vk;
    if (vk >= 0x60 && vk <= 0x69) return Qt::Key_0 + (vk - 0x60); // number pad digits
    if (vk >= 0x70 && vk <= 0x87) return Qt::Key_F1 + (vk - 0x70);
    for (const strKeyPair& k : kKeys)
        if (k.virtualKey == vk) return k.qtKey;
    return 0;
}
