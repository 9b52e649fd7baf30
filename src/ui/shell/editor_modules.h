#pragma once
// The editor's windows beyond the shell install themselves on the main window: each sets its
// widgets (canvas, list and palette contents) and the handlers of the commands it carries out.
// cMainWindow::create calls them once, in this order, after the shell's own commands exist.

class cMainWindow;

// Canvas, playback display, target image and GIF draft windows (src/ui/canvas).
void InstallCanvas(cMainWindow& window);
// List window with the timeline, picture and effect dialogs, palette (src/ui/lists).
void InstallLists(cMainWindow& window);
// Cell, lock, frame compensation, batch, interval and export windows (src/ui/dialogs).
void InstallToolWindows(cMainWindow& window);
// Game projects: the game window, opening a game, recent games and saving into the game
// (src/ui/game).
void InstallGame(cMainWindow& window);
