#pragma once

class QWidget;

// Moves a window, frame included, to the centre of the screen it is on. The
// windows call it on their first show, once their frame size is known.
void centreOnScreen(QWidget& window);
