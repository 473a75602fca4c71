#pragma once

class QWidget;

// Moves the window to the stored position, kept whole on the screen that shows it; a
// position on no screen (a monitor since removed) moves onto the primary one.
void placeWindow(QWidget *window, int top, int left);
