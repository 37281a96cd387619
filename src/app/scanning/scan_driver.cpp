// The scan driver's handlers of the main window. First version: no scan yet.
#include "app/shell/main_window.h"

void TForm1::SBScanAllClick() {}
void TForm1::SBStopClick() {}
void TForm1::TimerTimer() {}
