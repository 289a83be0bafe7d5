#include "tools/content/unitfigure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float kUp = 0.8660254f;  // how far a unit of height rises on screen
constexpr Rgb kOutline = {22, 16, 26};
// Light from the upper left and in front, in view space (right, down, toward the eye).
constexpr float kLx = -0.52f, kLy = -0.60f, kLz = 0.61f;

struct Raster {
    Canvas& c;
    std::vector<float> depth;  // nearer is smaller
    std::vector<u8> hit;
    int ox, oy;
};

float screen_x(const Raster& r, V3 p) { return p.x + (float)r.ox; }
float screen_y(const Raster& r, V3 p) { return 0.5f * p.y - kUp * p.z + (float)r.oy; }
float depth_of(V3 p) { return -kUp * p.y - 0.5f * p.z; }

u8 clamp8(float v) { return (u8)std::clamp(v, 0.0f, 255.0f); }

Rgb shade(Rgb base, Finish fin, float nx, float ny, float nz) {
    if (fin == Finish::glow) {
        float k = 0.85f + 0.35f * nz;
        return {clamp8(base.r * k + 40 * nz), clamp8(base.g * k + 40 * nz), clamp8(base.b * k + 40 * nz)};
    }
    float diff = std::max(0.0f, nx * kLx + ny * kLy + nz * kLz);
    // Half vector between the light and the eye.
    float hx = kLx, hy = kLy, hz = kLz + 1.0f;
    float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    float shine = std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hl);
    float k = 0.38f + 0.78f * diff, s = 0.0f;
    if (fin == Finish::metal) s = 190.0f * std::pow(shine, 18.0f), k = 0.30f + 0.85f * diff;
    if (fin == Finish::cloth) s = 22.0f * std::pow(shine, 6.0f);
    return {clamp8(base.r * k + s), clamp8(base.g * k + s), clamp8(base.b * k + s)};
}

// Shading is costly, so it waits until the pixel is known to be in front.
bool nearer(const Raster& r, int x, int y, float d) {
    return x >= 0 && y >= 0 && x < r.c.w && y < r.c.h && d < r.depth[(size_t)y * r.c.w + x];
}

void plot(Raster& r, int x, int y, float d, Rgb col) {
    size_t i = (size_t)y * r.c.w + x;
    r.depth[i] = d;
    r.hit[i] = 1;
    canvas_set(r.c, x, y, col);
}

void sphere(Raster& r, V3 p, float rad, Rgb col, Finish fin) {
    float cx = screen_x(r, p), cy = screen_y(r, p), cd = depth_of(p);
    int x0 = (int)std::floor(cx - rad), x1 = (int)std::ceil(cx + rad);
    int y0 = (int)std::floor(cy - rad), y1 = (int)std::ceil(cy + rad);
    float r2 = rad * rad;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float dx = (float)x + 0.5f - cx, dy = (float)y + 0.5f - cy, d2 = dx * dx + dy * dy;
            if (d2 >= r2) continue;
            float dz = std::sqrt(r2 - d2);
            if (nearer(r, x, y, cd - dz)) plot(r, x, y, cd - dz, shade(col, fin, dx / rad, dy / rad, dz / rad));
        }
}

// A chain of spheres close enough together to read as a smooth tapered limb.
void capsule(Raster& r, const Blob& b) {
    float len = v3_len(b.b - b.a), thin = std::max(0.4f, std::min(b.ra, b.rb));
    int steps = std::max(1, (int)std::ceil(len / std::min(0.9f, thin * 0.45f)));
    for (int i = 0; i <= steps; ++i) {
        float t = (float)i / (float)steps;
        sphere(r, b.a + (b.b - b.a) * t, b.ra + (b.rb - b.ra) * t, b.col, b.fin);
    }
}

void disc(Raster& r, const Disc& d) {
    V3 n = v3_unit(d.n);
    // The normal in view space; an edge-on plate is kept a sliver thick.
    float vx = n.x, vy = 0.5f * n.y - kUp * n.z, vz = -kUp * n.y - 0.5f * n.z;
    if (std::fabs(vz) < 0.2f) vz = vz < 0 ? -0.2f : 0.2f;
    float cx = screen_x(r, d.c), cy = screen_y(r, d.c), cd = depth_of(d.c);
    float sx = vz < 0 ? 1.0f : -1.0f;  // turn the lit side toward the eye
    int x0 = (int)std::floor(cx - d.r), x1 = (int)std::ceil(cx + d.r);
    int y0 = (int)std::floor(cy - d.r), y1 = (int)std::ceil(cy + d.r);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float dx = (float)x + 0.5f - cx, dy = (float)y + 0.5f - cy;
            float dz = -(dx * vx + dy * vy) / vz;
            float q = dx * dx + dy * dy + dz * dz;
            if (q >= d.r * d.r) continue;
            Rgb col = q > (d.r - 1.3f) * (d.r - 1.3f) ? rgb_scale(d.col, 0.65f) : d.col;
            if (nearer(r, x, y, cd + dz)) plot(r, x, y, cd + dz, shade(col, d.fin, sx * vx, sx * vy, -sx * vz));
        }
}

// Where a limb passes in front of the body a darker seam keeps the two apart.
void seams(Raster& r) {
    std::vector<u8> dark(r.hit.size(), 0);
    for (int y = 0; y < r.c.h; ++y)
        for (int x = 0; x < r.c.w; ++x) {
            size_t i = (size_t)y * r.c.w + x;
            if (!r.hit[i]) continue;
            const int nb[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& o : nb) {
                int nx = x + o[0], ny = y + o[1];
                if (nx < 0 || ny < 0 || nx >= r.c.w || ny >= r.c.h) continue;
                size_t j = (size_t)ny * r.c.w + nx;
                if (r.hit[j] && r.depth[j] + 5.0f < r.depth[i]) dark[i] = 1;
            }
        }
    for (size_t i = 0; i < dark.size(); ++i)
        if (dark[i]) {
            int x = (int)(i % r.c.w), y = (int)(i / r.c.w);
            canvas_set(r.c, x, y, rgb_mix(canvas_get(r.c, x, y), kOutline, 0.55f));
        }
}

void ring(Raster& r) {
    std::vector<u8> edge(r.hit.size(), 0);
    for (int y = 0; y < r.c.h; ++y)
        for (int x = 0; x < r.c.w; ++x) {
            if (r.hit[(size_t)y * r.c.w + x]) continue;
            for (int j = -1; j <= 1 && !edge[(size_t)y * r.c.w + x]; ++j)
                for (int i = -1; i <= 1; ++i) {
                    int nx = x + i, ny = y + j;
                    if (nx >= 0 && ny >= 0 && nx < r.c.w && ny < r.c.h && r.hit[(size_t)ny * r.c.w + nx])
                        edge[(size_t)y * r.c.w + x] = 1;
                }
        }
    for (size_t i = 0; i < edge.size(); ++i)
        if (edge[i]) canvas_set(r.c, (int)(i % r.c.w), (int)(i / r.c.w), kOutline);
}

// Keeps figure colours clear of the key (as the compiler sees it, five bits
// a channel) and of pure black.
Rgb safe(Rgb c, Rgb key) {
    if ((c.r >> 3) == (key.r >> 3) && (c.g >> 3) == (key.g >> 3) && (c.b >> 3) == (key.b >> 3))
        c.g = (u8)(c.g >= 128 ? c.g - 8 : c.g + 8);
    if ((c.r >> 3) == 0 && (c.g >> 3) == 0 && (c.b >> 3) == 0) c = {8, 8, 8};
    return c;
}

}  // namespace

float v3_len(V3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
V3 v3_unit(V3 a) {
    float l = v3_len(a);
    return l > 1e-6f ? a * (1.0f / l) : V3{0, 0, 1};
}
V3 v3_cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

void render_figure(const Figure& fig, Canvas& c, int ox, int oy, Rgb key) {
    Raster r{c, std::vector<float>((size_t)c.w * c.h, std::numeric_limits<float>::max()),
             std::vector<u8>((size_t)c.w * c.h, 0), ox, oy};
    for (const Blob& b : fig.blobs) capsule(r, b);
    for (const Disc& d : fig.discs) disc(r, d);
    seams(r);
    for (size_t i = 0; i < r.hit.size(); ++i)
        if (r.hit[i]) {
            int x = (int)(i % c.w), y = (int)(i / c.w);
            canvas_set(c, x, y, safe(canvas_get(c, x, y), key));
        }
    ring(r);
}
