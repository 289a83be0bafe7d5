// Seeds for the sound, script, font and fixed-picture targets.
#include <cstring>

#include "fuzz/mkseeds.h"

namespace {

bytes fourcc(const char* id, uint32_t size) {
    bytes v(8);
    std::memcpy(v.data(), id, 4);
    put32(&v, 4, size);
    return v;
}

bytes chunk(const char* id, const bytes& body) {
    bytes v = fourcc(id, (uint32_t)body.size());
    append(&v, body);
    if (body.size() & 1) v.push_back(0);
    return v;
}

bytes format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, bool withextra) {
    bytes f(withextra ? 18 : 16, 0);
    uint16_t align = (uint16_t)(channels * bits / 8);
    put16(&f, 0, tag);
    put16(&f, 2, channels);
    put32(&f, 4, rate);
    put32(&f, 8, rate * align);
    put16(&f, 12, align);
    put16(&f, 14, bits);
    return f;
}

bytes samples(size_t n) {
    bytes s(n);
    for (size_t i = 0; i < n; i++) s[i] = (uint8_t)(128 + 60 * ((i / 8) % 2 ? 1 : -1));
    return s;
}

bytes riff(const bytes& chunks) {
    bytes body = {'W', 'A', 'V', 'E'};
    append(&body, chunks);
    return chunk("RIFF", body);
}

bytes wave(const bytes& fmt, const bytes& data) {
    bytes c = chunk("fmt ", fmt);
    append(&c, chunk("data", data));
    return riff(c);
}

} // namespace

std::vector<seed> wavseeds() {
    bytes withlist = chunk("fmt ", format(1, 1, 11025, 8, true));
    append(&withlist, chunk("LIST", {'I', 'N', 'F', 'O', 'x'}));
    append(&withlist, chunk("data", samples(301)));
    bytes datacut = wave(format(1, 1, 22050, 8, false), samples(40));
    put32(&datacut, datacut.size() - 40 - 4, 100000);
    bytes fmtshort = chunk("fmt ", bytes(12, 1));
    append(&fmtshort, chunk("data", samples(10)));
    bytes notriff = wave(format(1, 1, 22050, 8, false), samples(16));
    std::memcpy(notriff.data(), "RIFX", 4);
    bytes extracut = format(1, 2, 22050, 16, true);
    put16(&extracut, 16, 200);
    // Past the reader's 8 KB window: the samples refill it, and a chunk
    // skipped past it moves the window.
    bytes longlist = chunk("fmt ", format(1, 1, 11025, 8, false));
    append(&longlist, chunk("LIST", bytes(9000, 'i')));
    append(&longlist, chunk("data", samples(100)));
    return {{"pcm16_past_window.wav", wave(format(1, 1, 22050, 16, false), samples(10000))},
            {"pcm8_list_past_window.wav", riff(longlist)},
            {"pcm8_mono.wav", wave(format(1, 1, 11025, 8, false), samples(200))},
            {"pcm16_stereo.wav", wave(format(1, 2, 22050, 16, false), samples(400))},
            {"pcm16_mono_44k_list.wav", riff(withlist)},
            {"bad_not_riff.wav", notriff},
            {"bad_fmt_short.wav", riff(fmtshort)},
            {"bad_no_data.wav", riff(chunk("fmt ", format(1, 1, 22050, 8, false)))},
            {"bad_adpcm.wav", wave(format(2, 1, 22050, 4, false), samples(32))},
            {"bad_no_channels.wav", wave(format(1, 0, 22050, 8, false), samples(32))},
            {"bad_data_cut.wav", datacut},
            {"bad_extra_cut.wav", riff(chunk("fmt ", extracut))}};
}

std::vector<seed> scriptseeds() {
    auto text = [](const char* s) { return bytes(s, s + std::strlen(s)); };
    return {{"events.txt", text("# start\n0 move 10 20\n1 ldown\n2 lup # a comment\n2 rdown\n3 rup\n4 key esc\n"
                                "5 keydown NUMPAD7\n6 keyup F12\n7 key a\n7 key 9\n8 shot out/menu.png\n9 quit\n")},
            {"crlf.txt", text("0 key enter\r\n10 key F11\r\n20 quit\r\n")},
            {"typed.txt", text("0 text Hello, world!\n4 text  two spaces \n9 quit\n")},
            {"bad_text_empty.txt", text("0 text\n")},
            {"bad_text_tab.txt", text("0 text a\tb\n")},
            {"empty.txt", text("")},
            {"bad_backwards.txt", text("5 ldown\n4 lup\n")},
            {"bad_key.txt", text("0 key F13\n")},
            {"bad_move.txt", text("0 move 640 0\n")},
            {"bad_tick.txt", text("-3 ldown\n")},
            {"bad_event.txt", text("0 jump\n")}};
}

std::vector<seed> fontseeds(const std::filesystem::path& datadir) {
    static const char* const files[] = {"fonts/matura.pcx",   "fonts/reinhard.pcx", "fonts/comic.pcx",
                                        "fonts/elfintxt.pcx", "fonts/romantxt.pcx", "fonts/arial.pcx",
                                        "fonts/smallcaps.pcx"};
    std::vector<seed> seeds;
    for (uint8_t f = 0; f < 7; f++) {
        bytes s = {f};
        append(&s, datafile(datadir, files[f]));
        seeds.push_back({"font" + std::to_string(f) + ".in", s});
    }
    bytes cut = seeds[5].data;
    cut.resize(cut.size() / 2);
    bytes smallfor0 = {0};
    append(&smallfor0, datafile(datadir, files[6]));
    seeds.push_back({"bad_truncated.in", cut});
    seeds.push_back({"bad_small_picture.in", smallfor0});
    return seeds;
}

std::vector<seed> pictureseeds() {
    auto picture = [](uint8_t which, const bytes& file) {
        bytes s = {which};
        append(&s, file);
        return s;
    };
    bytes cut = bmp(512, 48, 8, 40, 16);
    cut.resize(cut.size() - 100);
    return {{"cursors.in", picture(0, bmp(256, 512, 8, 40, 16))},
            {"skin.in", picture(1, bmp(512, 48, 8, 40, 16))},
            {"bad_cursors_small.in", picture(0, bmp(64, 32, 24, 40, 0))},
            {"bad_skin_small.in", picture(1, bmp(100, 10, 24, 40, 0))},
            {"bad_skin_truncated.in", picture(1, cut)},
            {"bad_cursors_not_bmp.in", picture(0, bytes(64, 'x'))}};
}

std::vector<seed> settingsseeds() {
    auto text = [](const char* s) { return bytes(s, s + std::strlen(s)); };
    return {{"all.txt", text("# Vennor settings\nfullscreen = 1\nmute = 0\ngrab = 0\nscale = 2\nvolume = 80\n"
                             "pixel-format = 565\nframe-delay = 4\n")},
            {"comments.txt", text("  # kept\n\nvolume=15   # after\nunknown-key = whatever\n")},
            {"crlf.txt", text("scale = 3\r\nmute = 1\r\n")},
            {"noend.txt", text("volume = 5")},
            {"empty.txt", text("")},
            {"bad_values.txt", text("scale = 9\nvolume = -1\npixel-format = 444\nfullscreen = yes\n")},
            {"bad_nokey.txt", text("= 4\njust words\n")},
            {"bad_binary.txt", bytes{0x7F, 'E', 'L', 'F', 0, 1, 2, 0}},
            {"bad_longline.txt", bytes(1500, 'x')}};
}

std::vector<seed> campaignseeds() {
    auto text = [](const char* s) { return bytes(s, s + std::strlen(s)); };
    return {{"open1.txt", text("vennor campaign\nopen 1\n")},
            {"open3.txt", text("vennor campaign\nopen 3\n")},
            {"bad_past.txt", text("vennor campaign\nopen 4\n")},
            {"bad_zero.txt", text("vennor campaign\nopen 0\n")},
            {"bad_noend.txt", text("vennor campaign\nopen 2")},
            {"bad_other.txt", text("something else\n")}};
}
