// The campaign file from the player's folder: any bytes give a count of
// open missions inside the campaign or none, and a count taken comes only
// from the very text the game writes for it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzzenv.h"
#include "game/campaign.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text((const char*)data, size);
    int open = campaignfromtext(text);
    if (open < 0 || open > NUMMISSIONS) std::abort();
    if (open && campaigntext(open) != text) std::abort();
    fuzzoutcome(open != 0);
    return 0;
}
