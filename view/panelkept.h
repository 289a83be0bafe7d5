#pragma once
// The mission panel as last drawn, and everything it was drawn from: its
// text and bars cost as much as a good part of the map, and they change only
// now and then. While nothing it was drawn from has changed (the working
// panel picture, the list of what it draws over it, the frame colour, the
// display's layout, the fonts' pictures), it comes back as 80 copied rows.
#include "platform/types.h"
#include "view/panelscene.h"

// Puts the kept panel back, and the text colour its drawing left behind;
// false, with nothing drawn, when it no longer holds for this scene.
bool putkeptpanel(const panelscene& scene);
// Keeps rows 400..479 as just drawn from the scene and the state as it is now.
void keeppanel(const panelscene& scene);
