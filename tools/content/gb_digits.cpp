// The digits of the numbers that float over a struck unit. The view sets
// each next digit at the previous one's width - 2, so the two outline
// columns of neighbours overlap and the figures sit tight.
#include <cmath>

#include "tools/content/gamebitmaps_parts.h"
#include "tools/content/menuart_mask.h"
#include "tools/content/menuart_text.h"

namespace {

// Liberation Sans Bold (fonts-liberation), the face of the game's small caps.
const char* const kDigitFace = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
constexpr int kDigitW = 10, kDigitH = 14, kBaseline = 12;

}  // namespace

bool add_digit_pictures(std::vector<GamePic>& out, std::string& why) {
    for (int d = 0; d <= 9; ++d) {
        Mask m = mask_make(kDigitW, kDigitH);
        std::string s(1, static_cast<char>('0' + d));
        if (!letter_centred(m, {kDigitFace, 13, 0.0f}, s, kDigitW * 0.5f - 0.5f, kBaseline, why)) return false;
        Canvas c = canvas_make(kDigitW, kDigitH);
        for (int y = 0; y < kDigitH; ++y)
            for (int x = 0; x < kDigitW; ++x) {
                if (mask_get(m, x, y) < 0.45f) continue;
                float t = (y - 2.0f) / (kBaseline - 2.0f);
                canvas_set(c, x, y, rgb_mix({255, 244, 140}, {224, 64, 18}, std::fmin(1.0f, std::fmax(0.0f, t))));
            }
        outline(c, {44, 8, 4}, true);
        out.push_back({"bitmaps/" + s + ".bmp", c, true});
    }
    return true;
}
