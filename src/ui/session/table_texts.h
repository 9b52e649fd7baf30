#pragma once
// Every text of the editor's text tables with the translation context it is looked up in: the
// document, tool and clipboard messages of the library, the tables of the editor's windows and the
// library's comma-separated choice lists. lupdate reads them from a listing that pelko_list_texts
// writes from this; the tests check the translations against it.

#include <vector>

struct strTableText {
    const char* context;
    const char* text;
};

// Each non-empty (context, text) pair once, in table order.
std::vector<strTableText> TableTexts();
