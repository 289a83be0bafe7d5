#include <bitset>
#include <string>

#include "platform/backend.h"
#include "platform/script.h"
#include "platform/sdl/sdlinternal.h"
#include "platform/sdl/sdlkeys.h"

namespace {

// Windows key-message lparam: repeat count, the key's previous state and
// whether it is going up.
constexpr u32 repeatone = 1;
constexpr u32 wasdown = 1u << 30;
constexpr u32 goingup = 1u << 31;

struct keyboardstate {
    // Keys whose press we kept for ourselves; their release is kept too.
    std::bitset<SDL_NUM_SCANCODES> swallowed;
    // The virtual key each held physical key went down as, so its release
    // matches even if the layout changed in between.
    u8 downvk[SDL_NUM_SCANCODES] = {};
    // Physical keys holding each virtual key: both Shift keys are VK_SHIFT,
    // and letting go of one must not release the other.
    u8 holders[256] = {};
    bool padheld[256] = {};
};

keyboardstate K;

u32 vkof(const SDL_Keysym& k) {
    u32 ch = (k.sym & SDLK_SCANCODE_MASK) ? 0 : (u32)k.sym;
    return sdlkeys_vk(ch, (u32)k.scancode);
}

// Alt+Enter and F12 belong to the platform, not the game.
bool hotkey(const SDL_KeyboardEvent& e, u32 vk) {
    bool altenter = vk == VK_RETURN && (e.keysym.mod & KMOD_ALT);
    if (!altenter && vk != VK_F12) return false;
    if (!e.repeat) {
        if (altenter)
            sdlwin_togglefullscreen();
        else
            plat_savenumberedshot();
    }
    return true;
}

void sethold(SDL_Scancode sc, u32 vk, bool down) {
    if (down && !K.downvk[sc]) {
        K.downvk[sc] = (u8)vk;
        ++K.holders[vk];
    } else if (!down && K.downvk[sc]) {
        K.downvk[sc] = 0;
        --K.holders[vk];
    }
    plat_setkeyheld(vk, K.holders[vk] > 0);
}

void deliver(u32 vk, bool down, bool repeat) {
    u32 lparam = repeatone | (repeat || !down ? wasdown : 0) | (down ? 0 : goingup);
    platq_push(down ? WM_KEYDOWN : WM_KEYUP, vk, (i32)lparam);
    std::string name = script_keyname(vk);
    if (!name.empty()) plat_record(((down ? "keydown " : "keyup ") + name).c_str());
}

}  // namespace

void sdlkeyboard_reset() { K = keyboardstate{}; }

void sdlkeyboard_key(const SDL_KeyboardEvent& e) {
    SDL_Scancode sc = e.keysym.scancode;
    if (sc <= SDL_SCANCODE_UNKNOWN || sc >= SDL_NUM_SCANCODES) return;
    bool down = e.state == SDL_PRESSED;
    u32 vk = K.downvk[sc] ? K.downvk[sc] : vkof(e.keysym);
    if (down && (K.swallowed[sc] || (!K.downvk[sc] && hotkey(e, vk)))) {
        K.swallowed.set(sc);
        return;
    }
    if (!down && K.swallowed[sc]) {
        K.swallowed.reset(sc);
        return;
    }
    if (vk == 0 || vk > 0xFF) return;
    sethold(sc, vk, down);
    deliver(vk, down, down && e.repeat);
    if (down && !e.repeat && vk == VK_SCROLL) plat_togglegrabrelease();
}

void sdlkeyboard_text(const SDL_TextInputEvent& e) {
    if (!plat_textinput()) return;
    std::string typed;
    // Only what the game's fonts can draw; other characters are dropped.
    for (const char* c = e.text; *c; c++)
        if ((unsigned char)*c >= 32 && (unsigned char)*c <= 126) {
            platq_push(WM_CHAR, (u8)*c, 1);
            if (*c != '#') typed += *c;
        }
    if (!typed.empty()) plat_record(("text " + typed).c_str());
}

void sdlkeyboard_followtextinput() {
    bool want = plat_textinput();
    if (want == (SDL_IsTextInputActive() == SDL_TRUE)) return;
    if (want)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}

// Keys that no keyboard pressed (a controller's Start and Back) are held by
// a holder of their own, so a keyboard key of the same code is not let go
// with them.
void sdlkeyboard_press(u32 vk, bool down) {
    if (vk == 0 || vk > 0xFF || down == K.padheld[vk]) return;
    K.padheld[vk] = down;
    K.holders[vk] = (u8)(down ? K.holders[vk] + 1 : K.holders[vk] - 1);
    plat_setkeyheld(vk, K.holders[vk] > 0);
    deliver(vk, down, false);
}
