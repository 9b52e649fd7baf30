#pragma once
// Stored window rectangles: a rectangle read from the settings is moved onto a screen when it lies
// off every screen, and what is stored is the window's normal rectangle (never a minimised or
// maximised one).

#include <QList>
#include <QRect>

class QWidget;

// The rectangle moved (and, when larger than the screen, shrunk) so that it lies on one of the
// screens: unchanged when its top strip (where the title bar is grabbed) is visible on a screen,
// else placed at the nearest position inside the screen that is closest to it.
QRect PlaceOnScreens(const QRect& stored, const QList<QRect>& screens);
// The available geometries of the application's screens.
QList<QRect> AvailableScreens();
// Moves and sizes a top-level window to a stored rectangle (position of the frame, client size).
void RestoreWindowRect(QWidget* window, int x, int y, int width, int height);
// The window's normal rectangle as stored: frame position and client size, even when it is
// minimised or maximised at the moment.
QRect StoredWindowRect(const QWidget* window);
