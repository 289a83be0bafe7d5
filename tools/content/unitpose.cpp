#include "tools/content/unitpose.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

float smooth(float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}
float lerp(float a, float b, float t) { return a + (b - a) * t; }

Limb arm_rest(float swing) { return {0.15f + swing, 0.12f, 0.35f}; }

// Two steps in sixteen frames: legs swing opposite, each bending its knee
// while it comes forward, arms swinging against the legs.
Pose walk(int k, Weapon w) {
    float ph = 2 * kPi * (float)k / 16.0f, s = std::sin(ph), c = std::cos(ph);
    Pose p;
    p.legl = {0.42f * s, 0.03f, -0.75f * std::max(0.0f, c) - 0.08f};
    p.legr = {-0.42f * s, 0.03f, -0.75f * std::max(0.0f, -c) - 0.08f};
    p.arml = arm_rest(-0.35f * s);
    p.armr = arm_rest(0.35f * s);
    p.lean = 0.08f;
    p.twist = 0.06f * s;
    if (w == Weapon::staff || w == Weapon::bow) p.arml = {0.55f, 0.1f, 0.6f};
    if (w == Weapon::staff) p.armr = {0.4f + 0.1f * s, 0.1f, 1.2f};
    p.grip = w == Weapon::staff ? 1.35f : 1.4f;
    p.glow = 0.5f + 0.2f * std::fabs(s);
    return p;
}

Pose stand_pose(int k, Weapon w) {
    float b = std::sin(2 * kPi * (float)k / 16.0f);
    Pose p;
    p.legl = {0.04f, 0.06f, -0.04f};
    p.legr = {-0.04f, 0.06f, -0.04f};
    p.arml = arm_rest(0.03f * b);
    p.armr = arm_rest(-0.03f * b);
    p.armr.bend = 0.9f;
    p.breathe = 0.6f * b;
    p.lean = 0.02f * b;
    p.grip = 1.4f;
    if (w == Weapon::staff) p.armr = {0.3f, 0.12f, 1.3f}, p.grip = 1.4f;
    if (w == Weapon::bow) p.arml = {0.5f, 0.12f, 0.5f};
    p.glow = 0.55f + 0.25f * b;
    return p;
}

// The frame leaves about a head's height above the head: the weapon is laid
// back over the shoulder rather than raised high above it.
constexpr float kWindUp = 1.4f, kLaidBack = 2.4f;

// Wind up over the first frames, strike around frame 7, recover.
Pose swing_attack(int k) {
    float t = (float)k / 15.0f, up = smooth(t / 0.4f), hit = smooth((t - 0.4f) / 0.2f);
    float back = smooth((t - 0.65f) / 0.35f);
    Pose p = stand_pose(0, Weapon::sword);
    float raised = lerp(0.15f, kWindUp, up), struck = lerp(raised, 1.2f, hit);
    p.armr = {lerp(struck, 0.15f, back), 0.12f + 0.13f * up * (1 - back),
              lerp(lerp(0.9f, 0.3f, up), 0.1f, hit) * (1 - back) + 0.9f * back};
    p.grip = lerp(lerp(1.4f, kLaidBack, up), 0.2f, hit) * (1 - back) + 1.4f * back;
    p.twist = lerp(lerp(0, -0.35f, up), 0.3f, hit) * (1 - back);
    p.lean = lerp(lerp(0, -0.05f, up), 0.22f, hit) * (1 - back);
    p.legl = {lerp(0.04f, 0.35f, hit * (1 - back)), 0.06f, -0.1f};
    p.legr = {-0.04f - 0.2f * hit * (1 - back), 0.06f, -0.05f};
    p.arml = {0.6f, 0.15f, 0.7f};
    return p;
}

// Raise the bow, draw to the cheek, loose at frame 9, lower.
Pose bow_attack(int k) {
    float t = (float)k / 15.0f, aim = smooth(t / 0.25f), back = smooth((t - 0.75f) / 0.25f);
    Pose p = stand_pose(0, Weapon::bow);
    p.arml = {lerp(0.5f, 1.55f, aim * (1 - back)), 0.05f, lerp(0.5f, 0.02f, aim * (1 - back))};
    p.draw = k >= 2 && k <= 9 ? smooth((t - 0.1f) / 0.45f) : 0.0f;
    float held = aim * (1 - back);
    p.armr = {lerp(0.3f, 1.5f, held), -0.3f * held, lerp(0.9f, 0.4f + 1.9f * p.draw, held)};
    p.twist = -0.25f * aim * (1 - back);
    return p;
}

// The staff comes up level with the shoulders, low enough to stay in the frame.
constexpr float kStaffLift = 1.4f;

// Lift the staff, then thrust its head forward at the foe.
Pose staff_attack(int k) {
    float t = (float)k / 15.0f, up = smooth(t / 0.45f), thrust = smooth((t - 0.45f) / 0.15f);
    float back = smooth((t - 0.7f) / 0.3f);
    Pose p = stand_pose(0, Weapon::staff);
    float a = lerp(lerp(0.3f, kStaffLift, up), 1.35f, thrust);
    p.armr = {lerp(a, 0.3f, back), 0.12f, lerp(lerp(1.3f, 0.2f, up), 0.05f, thrust) * (1 - back) + 1.3f * back};
    p.arml = {lerp(0.3f, 1.2f, up * (1 - back)), 0.1f, 0.5f};
    p.grip = lerp(lerp(1.4f, 0.1f, up), 0.0f, thrust) * (1 - back) + 1.4f * back;
    p.lean = 0.2f * thrust * (1 - back);
    p.legl = {0.3f * thrust * (1 - back), 0.06f, -0.1f};
    p.glow = 0.5f + 0.5f * up * (1 - back) + 0.5f * thrust * (1 - back);
    return p;
}

// Rotates (x, y) of v by a about z.
V3 yaw(V3 v, float a) { return {v.x * std::cos(a) - v.y * std::sin(a), v.x * std::sin(a) + v.y * std::cos(a), v.z}; }
// Tilts v forward by a (about the right-hand axis).
V3 tilt(V3 v, float a) { return {v.x * std::cos(a) + v.z * std::sin(a), v.y, -v.x * std::sin(a) + v.z * std::cos(a)}; }

V3 hanging(float pitch, float side) { return v3_unit({std::sin(pitch), side, -std::cos(pitch)}); }

}  // namespace

Pose pose_of(int action, int frame, Weapon w) {
    if (action == kWalk) return walk(frame, w);
    if (action == kStand) return stand_pose(frame, w);
    if (w == Weapon::bow) return bow_attack(frame);
    if (w == Weapon::staff) return staff_attack(frame);
    return swing_attack(frame);
}

Joints joints_of(const Pose& p) {
    Joints j;
    j.pelvis = {0, 0, 30};
    j.up = tilt({0, 0, 1}, p.lean);
    j.chest = j.pelvis + j.up * (11 + 0.3f * p.breathe);
    j.neck = j.pelvis + j.up * (18 + 0.5f * p.breathe);
    j.head = j.pelvis + j.up * (23.5f + 0.5f * p.breathe);
    const Limb* arm[2] = {&p.arml, &p.armr};
    const Limb* leg[2] = {&p.legl, &p.legr};
    for (int s = 0; s < 2; ++s) {
        float side = s ? 1.0f : -1.0f;
        j.shoulder[s] = j.pelvis + j.up * (16 + 0.5f * p.breathe) + yaw({0, 7.5f * side, 0}, p.twist);
        V3 d1 = yaw(tilt(hanging(arm[s]->pitch, arm[s]->spread * side), p.lean * 0.5f), p.twist);
        V3 d2 = yaw(tilt(hanging(arm[s]->pitch + arm[s]->bend, arm[s]->spread * side * 0.5f), p.lean * 0.5f), p.twist);
        j.elbow[s] = j.shoulder[s] + d1 * 11;
        j.hand[s] = j.elbow[s] + d2 * 10;
        j.forearm[s] = d2;
        j.hip[s] = j.pelvis + V3{0, 4 * side, -1};
        j.knee[s] = j.hip[s] + hanging(leg[s]->pitch, leg[s]->spread * side) * 14;
        j.ankle[s] = j.knee[s] + hanging(leg[s]->pitch + leg[s]->bend, 0) * 13.5f;
        j.toe[s] = j.ankle[s] + V3{4.5f, 0, -1.2f};
    }
    float pitch = p.armr.pitch + p.armr.bend + p.grip;
    j.weapon = yaw(tilt(hanging(pitch, 0.05f), p.lean * 0.5f), p.twist);
    // Stand the figure on its lower foot.
    float low = std::min(std::min(j.ankle[0].z, j.ankle[1].z), std::min(j.toe[0].z, j.toe[1].z)) - 2.0f;
    V3 drop{0, 0, -low};
    for (V3* v : {&j.pelvis, &j.chest, &j.neck, &j.head, &j.shoulder[0], &j.shoulder[1], &j.elbow[0],
                  &j.elbow[1], &j.hand[0], &j.hand[1], &j.hip[0], &j.hip[1], &j.knee[0], &j.knee[1],
                  &j.ankle[0], &j.ankle[1], &j.toe[0], &j.toe[1]})
        *v = *v + drop;
    return j;
}
