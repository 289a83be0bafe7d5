#pragma once
// Whether the video driver SDL chose may be used: any real one, and the
// invisible ones ("offscreen", "dummy") only when asked for by name, as the
// tests do through SDL_VIDEODRIVER. Free of SDL so it can be tested alone.
bool sdldriver_allowed(const char* driver, const char* asked);
