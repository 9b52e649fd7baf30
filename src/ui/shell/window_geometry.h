#pragma once
// Stored window rectangles: a rectangle read from the settings is moved onto a screen when it lies
// off every screen, and what is stored is the window's normal rectangle (never a minimised or
// maximised one).

#include <QList>
#include <QRect>

class QWidget;

// The rectangle held to one screen: the screen that shows its top strip (where the title bar is
// grabbed), else the screen closest to it. A rectangle larger than that screen is shrunk to its size
// and moved to lie on it whole; one that cannot be grabbed is moved to the nearest position inside
// it; any other stays as it is (also when it hangs partly off the screen).
QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens);
// The available geometries of the application's screens.
QList<QRect> AvailableScreens();
// Moves and sizes a top-level window to a stored rectangle (position of the frame, client size).
void RestoreWindowRect(QWidget* window, int x, int y, int width, int height);
// The window's normal rectangle as stored: frame position and client size, even when it is
// minimised or maximised at the moment.
QRect StoredWindowRect(const QWidget* window);

// The windows of a first start on a screen (its available geometry): the main window two thirds of
// the screen wide and three quarters high at its top left, the list window and the palette window
// stacked in the column beside it, none overlapping another (a gap leaves room for frames).
struct strFirstLayout {
    QRect main, list, palette;
};
strFirstLayout FirstStartLayout(const QRect& screen);

// Where a window of size goes beside another window (its frame rectangle), on screen: right of it
// when it fits there, else left of it, else in the screen's bottom right corner; at the other
// window's top, held on the screen. The export windows open so, clear of the canvas they mark.
QPoint PlaceBeside(const QSize& size, const QRect& frame, const QRect& screen);
// Moves a window beside the main window on the main window's screen (see PlaceBeside).
void MoveBeside(QWidget* window, const QWidget* mainWindow);
