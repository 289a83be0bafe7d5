#include "tools/content/sound_sheet.h"

#include <algorithm>
#include <cmath>

#include "tools/content/sounds.h"

namespace {

constexpr int kLabelW = 28, kPlotW = 680, kStripH = 64, kGap = 4;
constexpr Rgb kBack = {24, 26, 34}, kPlot = {14, 15, 20}, kAxis = {60, 64, 80};
constexpr Rgb kCeiling = {110, 40, 40}, kTick = {120, 120, 140};
constexpr Rgb kRange = {40, 85, 130}, kRms = {160, 225, 255}, kInk = {220, 220, 220};

// 3 x 5 digits, a row of three bits per line, top line in the high bits.
constexpr u16 kDigits[10] = {0x7B6F, 0x2C97, 0x73E7, 0x72CF, 0x5BC9, 0x79CF, 0x79EF, 0x7249, 0x7BEF, 0x7BCF};

void draw_digit(Canvas& c, int x, int y, int d, int scale) {
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col)
            if ((kDigits[d] >> (14 - row * 3 - col)) & 1)
                fill_rect(c, x + col * scale, y + row * scale, scale, scale, kInk);
}

void draw_number(Canvas& c, int x, int y, int n) {
    if (n >= 10) {
        draw_digit(c, x, y, n / 10, 2);
        x += 8;
    }
    draw_digit(c, x, y, n % 10, 2);
}

void draw_ticks(Canvas& c, int x0, int y0, double seconds) {
    double step = seconds < 0.3 ? 0.01 : 0.1;
    for (int k = 1; k * step < seconds; ++k) {
        int x = x0 + static_cast<int>(k * step / seconds * kPlotW);
        draw_line(c, x, y0 + kStripH - 6, x, y0 + kStripH - 1, kTick);
    }
}

struct Column {
    double lo = 0.0, hi = 0.0, rms = 0.0;
};

Column column_of(const Wave& w, int col) {
    size_t a = w.size() * col / kPlotW, b = std::max(a + 1, w.size() * (col + 1) / kPlotW);
    Column c;
    double sum = 0.0;
    for (size_t i = a; i < b && i < w.size(); ++i) {
        c.lo = std::min(c.lo, w[i]);
        c.hi = std::max(c.hi, w[i]);
        sum += w[i] * w[i];
    }
    c.rms = std::sqrt(sum / static_cast<double>(b - a));
    return c;
}

void draw_strip(Canvas& c, int y0, const Wave& w) {
    const int x0 = kLabelW, mid = y0 + kStripH / 2;
    const double half = kStripH / 2.0 - 2;
    auto y_of = [&](double v) { return mid - static_cast<int>(std::lround(v * half)); };
    fill_rect(c, x0, y0, kPlotW, kStripH, kPlot);
    double ceiling = db_to_gain(kSoundCeilingDb);
    draw_line(c, x0, y_of(ceiling), x0 + kPlotW - 1, y_of(ceiling), kCeiling);
    draw_line(c, x0, y_of(-ceiling), x0 + kPlotW - 1, y_of(-ceiling), kCeiling);
    draw_line(c, x0, mid, x0 + kPlotW - 1, mid, kAxis);
    for (int col = 0; col < kPlotW; ++col) {
        Column k = column_of(w, col);
        draw_line(c, x0 + col, y_of(k.hi), x0 + col, y_of(k.lo), kRange);
        draw_line(c, x0 + col, y_of(k.rms), x0 + col, y_of(-k.rms), kRms);
    }
    draw_ticks(c, x0, y0, time_of(static_cast<int>(w.size())));
}

}  // namespace

Canvas sound_strips(const std::vector<Wave>& waves) {
    int n = static_cast<int>(waves.size());
    Canvas c = canvas_make(kLabelW + kPlotW + kGap, n * (kStripH + kGap) + kGap, kBack);
    for (int i = 0; i < n; ++i) {
        int y0 = kGap + i * (kStripH + kGap);
        draw_number(c, 4, y0 + kStripH / 2 - 5, i + 1);
        draw_strip(c, y0, waves[i]);
    }
    return c;
}
