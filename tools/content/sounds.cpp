#include "tools/content/sounds.h"

#include <algorithm>

#include "tools/content/fileout.h"
#include "tools/content/sheet.h"
#include "tools/content/sound_fx.h"
#include "tools/content/sound_sheet.h"
#include "tools/content/wavwrite.h"

// The footstep plays at every step and the click at every button, so both
// sit well under the rest.
const SoundFile kSounds[kSoundFiles] = {
    {"wave/click.wav", fx_click, -24.0},      {"wave/sound2.wav", fx_chest, -14.0},
    {"wave/sound3.wav", fx_sword_hit, -14.0}, {"wave/sound4.wav", fx_pickup, -14.0},
    {"wave/sound5.wav", fx_missile, -14.0},   {"wave/sound6.wav", fx_bow, -14.0},
    {"wave/sound7.wav", fx_footstep, -28.0},  {"wave/sound8.wav", fx_door_slam, -14.0},
    {"wave/sound9.wav", fx_swish, -14.0},     {"wave/sound10.wav", fx_thunder, -14.0},
    {"wave/wingame.wav", fx_fanfare, -14.0},  {"wave/chime1.wav", fx_chime, -15.0},
};

namespace {

// A 1 ms lead keeps the onset fade off the first sample, where a mixer that
// starts mid-buffer would otherwise catch a step.
constexpr double kLead = 0.001;
constexpr double kFadeIn = 0.001;
constexpr double kFadeOut = 0.008;

double level_gain(const Wave& w, double loudness_db) {
    double loud = wave_loudness(w), peak = wave_peak(w);
    if (loud <= 0.0 || peak <= 0.0) return 1.0;
    return std::min(db_to_gain(loudness_db) / loud, db_to_gain(kSoundCeilingDb) / peak);
}

std::vector<float> to_float(const Wave& w) { return std::vector<float>(w.begin(), w.end()); }

}  // namespace

Wave finish_sound(const SoundFile& f) {
    Wave w = f.make();
    block_dc(w);
    fade_edges(w, kFadeIn, kFadeOut);
    prepend_silence(w, kLead);
    wave_scale(w, level_gain(w, f.loudness_db));
    return w;
}

bool gen_sounds(const GenContext& ctx, std::string& why) {
    if (!make_dirs(data_path(ctx, "wave"), why)) return false;
    std::vector<Wave> done;
    for (const SoundFile& f : kSounds) {
        done.push_back(finish_sound(f));
        if (!write_bytes(data_path(ctx, f.path), wav_encode16(to_float(done.back()), kSoundRate, 1), why)) return false;
    }
    return ctx.sheetdir.empty() || write_sheet(ctx, "sounds", sound_strips(done), why);
}
