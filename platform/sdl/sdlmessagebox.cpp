#include <cctype>
#include <string>

#include "platform/sdl/sdlinternal.h"

namespace {

// The game's boxes carry no kind. Its failure reports say so in the caption
// ("Unable to access file!", "Out of Memory!"), and those get the error icon.
bool sayserror(const char* caption) {
    static const char* const words[] = {"error", "fail", "unable", "could not", "cannot", "out of"};
    std::string lower(caption);
    for (char& c : lower) c = (char)std::tolower((unsigned char)c);
    for (const char* w : words)
        if (lower.find(w) != std::string::npos) return true;
    return false;
}

}  // namespace

void sdlmessagebox_show(const char* text, const char* caption) {
    if (!text) text = "";
    if (!caption) caption = "";
    u32 kind = sayserror(caption) ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    sdlgrab_suspend(true);
    // Without a display the box cannot appear; the text has already reached
    // standard error.
    SDL_ShowSimpleMessageBox(kind, caption, text, sdlwin_window());
    sdlgrab_suspend(false);
}
