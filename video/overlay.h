#pragma once
// F11: the frame rate and the debug text drawn over the back buffer.
void drawoverlay();
// Refreshes the fps figure and, every 60 ticks, its text.
void updatefps();
