#pragma once
// Access letters ("&File", "名前を付けて保存(&A)") for every item of a menu, unique in that menu.
// A letter the text already names is kept when no earlier item took it; any other item gets the
// first free letter or digit that starts one of its words, else any free one in its text, else a
// free letter in brackets at its end (the form for texts without Latin letters). Labels that change
// while the program runs ("Undo Move 3 cells") get theirs again each time the menu opens.

#include <QString>

class QMenu;

// The text without its access letter: "&Save" and "保存(&S)" give "Save" and "保存"; "&&" stays "&".
QString WithoutAccessLetter(const QString& text);
// The access letter of a text (upper case), or a null QChar.
QChar AccessLetterOf(const QString& text);
// Gives every item of menu (not its submenus' items) a letter now.
void AssignAccessLetters(QMenu* menu);
// Gives menu's items letters each time it opens, and the same to its submenus.
void InstallAccessLetters(QMenu* menu);
