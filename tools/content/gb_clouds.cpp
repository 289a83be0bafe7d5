// Talk and thought clouds. The map view builds a cloud from small pieces:
// corners or ends, a top and a bottom piece repeated every 20 pixels, and a
// filler stamped three times down the middle. Each cloud is drawn whole
// here, regular enough that every repeated piece is the same picture, and
// the pieces are cut from it, so the game puts back exactly this drawing.
#include <cmath>
#include <functional>
#include <utility>

#include "tools/content/gamebitmaps_parts.h"

namespace {

const Rgb kInside = {238, 234, 220};  // the filler's one colour, shared by both clouds
const Rgb kRimLit = {255, 253, 246}, kRimShade = {198, 192, 180};
const Rgb kEdge = {46, 40, 58};

// Fills a cloud from a point test: ink round it, a lit rim under its upper
// and left edges, a shaded one under the others, the inside flat.
Canvas cloud_from(int w, int h, const std::function<bool(float, float)>& shape) {
    Canvas c = canvas_make(w, h);
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && shape(x + 0.5f, y + 0.5f); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (in(x, y)) {
                Rgb col = kInside;
                if (!in(x, y - 1) || !in(x - 1, y)) col = kRimLit;
                else if (!in(x, y + 1) || !in(x + 1, y)) col = kRimShade;
                canvas_set(c, x, y, col);
                continue;
            }
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) edge = edge || in(x + dx, y + dy);
            if (edge) canvas_set(c, x, y, kEdge);
        }
    return c;
}

Canvas cut(const Canvas& src, int x, int y, int w, int h) {
    Canvas c = canvas_make(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) canvas_set(c, i, j, canvas_get(src, x + i, y + j));
    return c;
}

bool in_round_rect(float x, float y, float x0, float y0, float x1, float y1, float r) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    float cx = std::fmin(std::fmax(x, x0 + r), x1 - r), cy = std::fmin(std::fmax(y, y0 + r), y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

bool in_circle(float x, float y, float cx, float cy, float r) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }

// The thought cloud, rows from the cloud's y - 1: a body with one scallop
// per 20-pixel piece along the top and bottom and two bulges at each end.
bool thought_shape(float x, float y) {
    if (x >= 16.0f && x < 96.0f) {
        float u = std::fmod(x - 16.0f, 20.0f);
        if (y >= 6.0f && y <= 34.0f) return true;
        return in_circle(u, y, 10.0f, 8.5f, 7.5f) || in_circle(u, y, 10.0f, 32.0f, 7.5f);
    }
    float ex = x < 16.0f ? x : 112.0f - x;  // the ends mirror each other
    return in_circle(ex, y, 10.0f, 13.0f, 8.5f) || in_circle(ex, y, 10.0f, 27.0f, 8.5f) ||
           (ex >= 8.0f && y >= 6.0f && y <= 34.0f);
}

constexpr int kThoughtW = 112, kThoughtH = 41;

}  // namespace

Canvas talk_cloud_body(int width) {
    return cloud_from(width, 32, [&](float x, float y) { return in_round_rect(x, y, 1.0f, 1.0f, width - 1.0f, 31.0f, 9.0f); });
}

Canvas talk_cloud_tail() {
    // Starts on the body's last two rows, covering its ink there, and
    // curls down and to the left toward the speaker's head.
    Canvas c = canvas_make(16, 14);
    fill_polygon(c, {{3.0f, 0.0f}, {14.0f, 0.0f}, {11.0f, 4.0f}, {6.0f, 9.0f}, {1.0f, 13.5f}, {3.5f, 6.5f}, {4.5f, 2.0f}},
                 paint_solid(kInside));
    for (int y = 2; y < 14; ++y)
        for (int x = 0; x < 16; ++x)
            if (canvas_get(c, x, y) == kInside && canvas_get(c, x + 1, y) == Rgb{0, 0, 0}) canvas_set(c, x, y, kRimShade);
    Canvas edged = c;
    outline(edged, kEdge, true);
    for (int x = 0; x < 16; ++x)  // the top row joins the body: no ink across it
        if (canvas_get(c, x, 0) == Rgb{0, 0, 0} && canvas_get(edged, x, 0) == kEdge && canvas_get(c, x, 1) == Rgb{0, 0, 0})
            canvas_set(edged, x, 0, {0, 0, 0});
    return edged;
}

Canvas thought_cloud_body() { return cloud_from(kThoughtW, kThoughtH, thought_shape); }

Canvas thought_cloud_dots() {
    Canvas c = canvas_make(28, 22);
    const float b[3][3] = {{21.0f, 5.0f, 4.5f}, {11.5f, 12.5f, 3.2f}, {4.0f, 18.0f, 2.2f}};
    Canvas body = cloud_from(28, 22, [&](float x, float y) {
        for (const auto& d : b)
            if (in_circle(x, y, d[0], d[1], d[2])) return true;
        return false;
    });
    blit_keyed(c, body, 0, 0);
    return c;
}

CloudPieces cut_cloud_pieces() {
    CloudPieces p;
    Canvas talk = talk_cloud_body(52);
    p.talk_tl = cut(talk, 0, 0, 16, 16);
    p.talk_bl = cut(talk, 0, 16, 16, 16);
    p.talk_tr = cut(talk, 36, 0, 16, 16);
    p.talk_br = cut(talk, 36, 16, 16, 16);
    p.talk_top = cut(talk, 16, 0, 20, 10);
    p.talk_bottom = cut(talk, 16, 22, 20, 10);
    p.talk_left = cut(talk, 0, 0, 16, 32);
    p.talk_right = cut(talk, 36, 0, 16, 32);
    p.filler = cut(talk, 16, 10, 20, 8);
    p.talk_curve = talk_cloud_tail();
    Canvas th = thought_cloud_body();
    p.thought_left = cut(th, 0, 1, 16, 40);
    p.thought_right = cut(th, 96, 1, 16, 40);
    p.thought_top = cut(th, 16, 0, 20, 30);
    p.thought_bottom = cut(th, 16, 30, 20, 10);
    p.thought_dots = thought_cloud_dots();
    return p;
}

// The map view's assembly, with the cloud's (x, y) at (ox, oy) on c.
void assemble_talk(Canvas& c, const CloudPieces& p, int ox, int oy, int width) {
    int n = (width - 32) / 20;
    blit_keyed(c, p.talk_tl, ox, oy);
    blit_keyed(c, p.talk_bl, ox, oy + 16);
    blit_keyed(c, p.talk_tr, ox + width - 16, oy);
    blit_keyed(c, p.talk_br, ox + width - 16, oy + 16);
    for (int k = 0; k < n; ++k) {
        blit_keyed(c, p.talk_top, ox + 16 + 20 * k, oy);
        blit_keyed(c, p.talk_bottom, ox + 16 + 20 * k, oy + 22);
    }
    for (int row : {10, 14, 18})
        for (int k = 0; k < n; ++k) blit_keyed(c, p.filler, ox + 16 + 20 * k, oy + row);
    blit_keyed(c, p.talk_curve, ox + 8, oy + 30);
}

void assemble_thought(Canvas& c, const CloudPieces& p, int ox, int oy) {
    blit_keyed(c, p.thought_left, ox, oy);
    blit_keyed(c, p.thought_right, ox + 96, oy);
    for (int k = 0; k < 4; ++k) {
        blit_keyed(c, p.thought_top, ox + 16 + 20 * k, oy - 1);
        blit_keyed(c, p.thought_bottom, ox + 16 + 20 * k, oy + 29);
    }
    for (int k = 0; k < 4; ++k) blit_keyed(c, p.filler, ox + 16 + 20 * k, oy + 9);
    blit_keyed(c, p.thought_dots, ox - 20, oy + 38);
}

void add_cloud_pictures(std::vector<GamePic>& out) {
    CloudPieces p = cut_cloud_pieces();
    // The whole clouds the game loads beside the pieces: a four-piece talk
    // cloud with its tail, and the thought cloud with its dots.
    Canvas talk = canvas_make(112, 44);
    assemble_talk(talk, p, 0, 0, 112);
    Canvas thought = canvas_make(132, 61);
    assemble_thought(thought, p, 20, 1);
    out.push_back({"bitmaps/talkcloud.bmp", talk, true});
    out.push_back({"bitmaps/thoughtcloud.bmp", thought, true});
    const std::pair<const char*, const Canvas*> pieces[] = {
        {"thoughtcloudleft", &p.thought_left},  {"thoughtcloudright", &p.thought_right},
        {"thoughtcloudtop", &p.thought_top},    {"thoughtcloudbottom", &p.thought_bottom},
        {"talkcloudleft", &p.talk_left},        {"talkcloudright", &p.talk_right},
        {"talkcloudtop", &p.talk_top},          {"talkcloudbottom", &p.talk_bottom},
        {"talkcloudtopleft", &p.talk_tl},       {"talkcloudtopright", &p.talk_tr},
        {"talkcloudbottomleft", &p.talk_bl},    {"talkcloudbottomright", &p.talk_br},
        {"cloudfiller", &p.filler},             {"thoughtclouddots", &p.thought_dots},
        {"talkcloudcurve", &p.talk_curve},
    };
    for (const auto& [name, pic] : pieces) out.push_back({std::string("bitmaps/") + name + ".bmp", *pic, true});
}
