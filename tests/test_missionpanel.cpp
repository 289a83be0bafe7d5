// The mission panel as the commanded unit's: its bars, name and spells, the
// kept panel drawn again whenever anything it shows changes, the tabs and
// their controls (the party list, the log, the options written to the
// settings file), the kills each blow counts and the line of help over the
// panel.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/input.h"
#include "commandworld.h"
#include "game/combatinput.h"
#include "game/eventlog.h"
#include "game/kills.h"
#include "game/missile.h"
#include "game/missionstate.h"
#include "game/paneloptions.h"
#include "game/panelscroll.h"
#include "game/spellready.h"
#include "game/spells.h"
#include "platform/safewrite.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "platform/winmsg.h"
#include "testenv.h"
#include "text/font.h"
#include "sound/dsound.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/effects.h"
#include "view/panel.h"
#include "view/panelhelp.h"
#include "view/panellayout.h"
#include "view/panelscene.h"
#include "world/cells.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace {

std::vector<u16> picture(PANELWIDTH * PANELHEIGHT);

// The command world with a patterned working panel under the drawing.
void startpanel() {
    startcommandworld();
    for (size_t i = 0; i < picture.size(); i++) picture[i] = (u16)(i * 2654435761u >> 9);
    panelpicture = picture.data();
    paneltab = TAB_INV;
    clearevents();
    clearkills();
    invscroll = logscroll = 0;
    mousex = 320, mousey = 200;
}

void endpanel() { panelpicture = nullptr; }

// Rows 380..479 as the panel leaves them over a black screen.
std::vector<u16> drawn() {
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
    drawpanel();
    std::vector<u16> rows;
    for (i32 y = 380; y < 480; y++)
        for (i32 x = 0; x < 640; x++) rows.push_back(vsat(x, y));
    return rows;
}

void press(i32 x, i32 y) {
    mousex = x, mousey = y;
    setcursormode(8);
    combatinput(WM_LBUTTONDOWN, 0, 0);
    combatinput(WM_LBUTTONUP, 0, 0);
}

void centreof(const panelrect& r, i32* x, i32* y) { *x = (r.left + r.right) / 2, *y = (r.top + r.bottom) / 2; }

void pressrect(const panelrect& r) {
    i32 x, y;
    centreof(r, &x, &y);
    press(x, y);
}

// The texts of the scene that start at row y, in order.
std::vector<std::string> textsat(i32 y) {
    static panelscene s;
    makepanelscene(&s);
    std::vector<std::string> out;
    for (int i = 0; i < s.count; i++)
        if (s.op[i].y == y && s.op[i].text[0]) out.push_back(s.op[i].text);
    return out;
}

bool anytextis(i32 y, const std::string& t) {
    for (const std::string& s : textsat(y))
        if (s == t) return true;
    return false;
}

} // namespace

// The leader in slot 1 is at full health; the unit in command is not. What
// the bars show is the commanded unit's.
TEST(MissionPanel, TheBarsAndNameAreTheCommandedUnits) {
    startpanel();
    int leader = placeunit(1, 0, 100, 100);
    int other = placeunit(0, 0, 101, 100);
    std::strcpy(npc[other]->name, "Wren");
    npc[other]->health = 10; // a quarter of 40: 23 of the 94 pixels
    auto fullat = [](i32 x) { return vsat(x, 418); };
    curnpc = leader;
    drawn();
    u16 full = fullat(103 + 50);
    curnpc = other;
    drawn();
    EXPECT_NE(fullat(103 + 50), full) << "the bar is the leader's, not the commanded unit's";
    EXPECT_EQ(fullat(103 + 10), full) << "the commanded unit's bar has its first quarter filled";
    EXPECT_TRUE(anytextis(403, "Wren")) << "the name over the bars";
    EXPECT_TRUE(anytextis(416, "10/40"));
    curnpc = 0;
    EXPECT_TRUE(anytextis(416, "40/40")) << "with no unit in command the leader's bars show";
    endpanel();
}

// Each thing the panel now shows, changed, draws it afresh; changed back,
// the first picture comes back.
TEST(MissionPanel, TheKeptPanelIsDrawnAgainWhenAnythingItShowsChanges) {
    startpanel();
    int leader = placeunit(1, 0, 100, 100);
    int other = placeunit(1, 0, 101, 100);
    int third = placeunit(0, 0, 102, 100);
    curnpc = other;
    npcrec& c = *npc[other];
    c.gold = 5;
    for (int k = 0; k < 6; k++) logevent("event %d", k);
    struct change {
        const char* what;
        u8 tab;
        std::function<void()> make, undo;
    } changes[] = {
        {"the commanded unit", TAB_INV, [&] { curnpc = leader; }, [&] { curnpc = other; }},
        {"its health", TAB_INV, [&] { c.health = 39; }, [&] { c.health = 40; }},
        {"its fatigue", TAB_INV, [&] { c.fatigue = 99; }, [&] { c.fatigue = 100; }},
        {"its magic", TAB_INV, [&] { c.magic = 19; }, [&] { c.magic = 20; }},
        {"its gold", TAB_INV, [&] { c.gold = 150; }, [&] { c.gold = 5; }},
        {"its name", TAB_INV, [&] { c.name[0] = 'Q'; }, [&] { c.name[0] = 0; }},
        {"its unit type", TAB_STATS, [&] { c.unitno = 3; }, [&] { c.unitno = 1; }},
        {"an armed slot", TAB_INV, [] { armedslot[1] = 1; }, [] { armedslot[1] = 0; }},
        {"a spell's cost", TAB_INV, [] { spell[SPELL_LIGHT]->magiccost++; }, [] { spell[SPELL_LIGHT]->magiccost--; }},
        {"a spell of the type", TAB_INV, [] { unittype[1]->specials[2] = SPELL_HEAL; }, [] { unittype[1]->specials[2] = SPELL_FREEZE; }},
        {"another member's health", TAB_INV, [&] { npc[third]->health = 3; }, [&] { npc[third]->health = 40; }},
        {"a member leaving", TAB_INV, [&] { npc[third]->isused = 0; }, [&] { npc[third]->isused = 1; }},
        {"its kills", TAB_STATS, [&] { killcount[other]++; }, [&] { killcount[other]--; }},
        {"its courage", TAB_STATS, [&] { c.health = 10; }, [&] { c.health = 40; }},
        {"the log's scrolling", TAB_LOG, [] { logscroll = 1; }, [] { logscroll = 0; }},
        {"the frame delay", TAB_OPTIONS, [] { framedelay = 17; }, [] { framedelay = 2; }},
    };
    for (const change& ch : changes) {
        paneltab = ch.tab;
        const std::vector<u16> first = drawn();
        ch.make();
        EXPECT_FALSE(drawn() == first) << ch.what << " changed, the panel is drawn again";
        ch.undo();
        EXPECT_TRUE(drawn() == first) << ch.what << " changed back";
    }
    paneltab = TAB_LOG;
    const std::vector<u16> before = drawn();
    logevent("one more");
    EXPECT_FALSE(drawn() == before) << "a new line of the log is shown";
    endpanel();
}

// A slot is greyed by the tests the arming makes: the least magic is the
// cost, the least fatigue the need. What the panel says agrees with what a
// press of the slot does.
TEST(MissionPanel, ASpellSlotIsGreyedExactlyWhenArmingWouldBeRefused) {
    startpanel();
    int s = placeunit(1, 0, 100, 100);
    npcrec& n = *npc[s];
    curnpc = s;
    const int light = 1; // Hide, Light, Freeze, Lightning
    const spellrec& r = *spell[SPELL_LIGHT];
    for (i16 magic : {(i16)(r.magiccost - 1), (i16)r.magiccost})
        for (i16 fatigue : {(i16)(r.fatigueneed - 1), (i16)r.fatigueneed}) {
            n.magic = magic, n.fatigue = fatigue;
            bool ready = slotstate(s, light) == SLOT_READY;
            setcursormode(1);
            disarmspells();
            bool armed = armspell(s, SPELL_LIGHT) == 1;
            EXPECT_EQ(ready, armed) << "magic " << magic << ", fatigue " << fatigue;
            EXPECT_EQ(ready, magic >= r.magiccost && fatigue >= r.fatigueneed);
        }
    setcursormode(1);
    disarmspells();
    // Drawn: the same slot in two colours, the empty slot not at all.
    i32 x = SPELLTEXTLEFT + 2, y = spelltexty[light] + 4;
    n.magic = r.magiccost;
    n.fatigue = r.fatigueneed;
    drawn();
    u16 ready = vsat(x, y);
    n.magic = (i16)(r.magiccost - 1);
    drawn();
    u16 grey = vsat(x, y);
    EXPECT_NE(ready, grey);
    EXPECT_NE(grey, picture[(size_t)(y - PANELTOP) * PANELWIDTH + (size_t)x]) << "a greyed slot still names its spell";
    unittype[1]->specials[light] = SPELL_NONE;
    drawn();
    EXPECT_EQ(vsat(x, y), picture[(size_t)(y - PANELTOP) * PANELWIDTH + (size_t)x]) << "an empty slot is blank";
    unittype[1]->specials[light] = SPELL_LIGHT;
    // Armed: framed, and the name in white.
    n.magic = n.magicmax;
    press(475, spelltexty[light] + 4);
    ASSERT_EQ(armedslot[light], 1);
    EXPECT_EQ(slotstate(s, light), SLOT_ARMED);
    drawn();
    EXPECT_NE(vsat(x, y), ready) << "the armed slot looks armed";
    endpanel();
}

// The party list: a click on a row commands that unit; a row of a fallen
// member or past the list does nothing; the arrows scroll a long party.
TEST(MissionPanel, APartyRowCommandsItsUnitAndTheTabsSwitch) {
    startpanel();
    int a = placeunit(1, 0, 100, 100);
    int b = placeunit(0, 0, 101, 100);
    int d = placeunit(0, 0, 102, 100);
    placeunit(0, 1, 103, 100); // an enemy is no member
    curnpc = a;
    pressrect(boxrow(1));
    EXPECT_EQ(curnpc, b);
    EXPECT_EQ(npc[b]->selected, 1);
    EXPECT_EQ(npc[a]->selected, 0);
    npc[d]->health = 0;
    pressrect(boxrow(2));
    EXPECT_EQ(curnpc, b) << "a fallen member cannot be commanded";
    pressrect(boxrow(3));
    EXPECT_EQ(curnpc, b) << "the row under the last member";
    pressrect(boxrow(0));
    EXPECT_EQ(curnpc, a);
    for (int k = 0; k < 4; k++) placeunit(0, 0, 104 + k, 100);
    pressrect(scrolldown);
    pressrect(scrolldown);
    EXPECT_EQ(invscroll, 2);
    pressrect(scrolldown);
    pressrect(scrolldown);
    EXPECT_EQ(invscroll, 3) << "seven members, four rows";
    pressrect(boxrow(0));
    EXPECT_EQ(curnpc, 4) << "the row is the member scrolled to";
    pressrect(scrollup);
    EXPECT_EQ(invscroll, 2);
    // The tab names' lowest rows lie over the first spell slot and the map
    // button: there the tab is pressed, and nothing else.
    for (int t : {TAB_STATS, TAB_LOG, TAB_OPTIONS, TAB_INV}) {
        press(tabrect[t].left + 2, tabrect[t].bottom);
        EXPECT_EQ(paneltab, t);
        EXPECT_FALSE(armedslot[0]);
        EXPECT_EQ(npc[curnpc]->hidden, 0);
    }
    endpanel();
}

// The log keeps the newest lines, cut to fit, and the LOG tab's arrows go
// back through them and no further than the oldest.
TEST(MissionPanel, TheLogKeepsTheNewestLinesAndScrollsBack) {
    startpanel();
    placeunit(1, 0, 100, 100);
    EXPECT_STREQ(eventline(0), "");
    for (int k = 0; k < EVENTLINES + 6; k++) logevent("line %d", k);
    EXPECT_EQ(eventcount(), EVENTLINES);
    EXPECT_STREQ(eventline(0), "line 69");
    EXPECT_STREQ(eventline(EVENTLINES - 1), "line 6");
    EXPECT_STREQ(eventline(EVENTLINES), "");
    logevent("%s", std::string(200, 'x').c_str());
    EXPECT_EQ(std::strlen(eventline(0)), (size_t)EVENTLINECHARS - 1);
    clearevents();
    for (int k = 0; k < 10; k++) logevent("line %d", k);
    paneltab = TAB_LOG;
    EXPECT_TRUE(anytextis(boxline(3), "line 9")) << "the newest at the bottom";
    EXPECT_TRUE(anytextis(boxline(0), "line 6"));
    pressrect(scrollup);
    EXPECT_EQ(logscroll, 1);
    EXPECT_TRUE(anytextis(boxline(3), "line 8"));
    for (int k = 0; k < 20; k++) pressrect(scrollup);
    EXPECT_EQ(logscroll, 6) << "the oldest line stops at the top";
    EXPECT_TRUE(anytextis(boxline(0), "line 0"));
    pressrect(scrolldown);
    EXPECT_EQ(logscroll, 5);
    endpanel();
}

// A blow's striker is credited with the kill it makes, whether by hand, by
// arrow or by lightning, and the log says who hit whom.
TEST(MissionPanel, TheBlowThatKillsCountsForWhoeverDealtIt) {
    startpanel();
    int hero = placeunit(1, 0, 100, 100);
    int archer = placeunit(2, 0, 99, 104);
    int foe = placeunit(0, 1, 101, 100);
    int far = placeunit(0, 1, 106, 104);
    npc[foe]->health = 5;
    hurtnpcby(hero, foe, 3, cellof(101, 100));
    EXPECT_EQ(killcount[hero], 0);
    hurtnpcby(hero, foe, 3, cellof(101, 100));
    EXPECT_EQ(killcount[hero], 1);
    hurtnpcby(hero, foe, 3, cellof(101, 100));
    EXPECT_EQ(killcount[hero], 1) << "a unit already down is no second kill";
    EXPECT_NE(std::string(eventline(1)).find("slays"), std::string::npos) << eventline(1);
    EXPECT_NE(std::string(eventline(0)).find("hits"), std::string::npos);
    npc[far]->health = 1;
    ASSERT_EQ(launchmissile(99, 104, 106, 104, MISSILE_ARROW, 30.0f, 4, archer), 1u);
    for (int k = 0; k < 60; k++) updatemissiles();
    EXPECT_LT(npc[far]->health, 1);
    EXPECT_EQ(killcount[archer], 1) << "the arrow's kill is the shooter's";
    EXPECT_EQ(killcount[hero], 1);
    endpanel();
}

TEST(MissionPanel, ALightningKillIsItsCastersAndTheStrikeAloneIsNoOnes) {
    startpanel();
    int hero = placeunit(1, 0, 100, 100);
    int struck = placeunit(0, 1, 100, 101);
    npc[struck]->health = 1;
    lightningstrike(struck, 3);
    EXPECT_EQ(killcount[hero], 0);
    // The first victim stands the first strike; the chain goes on to the
    // second, which it kills: that kill too is the caster's.
    int first = placeunit(0, 1, 100, 104);
    int second = placeunit(0, 1, 100, 106);
    npc[first]->health = 200;
    npc[second]->health = 1;
    curnpc = hero;
    lightningcast(hero, (u32)cellof(100, 104));
    ASSERT_LT(npc[second]->health, 1);
    EXPECT_GE(npc[first]->health, 1);
    EXPECT_EQ(killcount[hero], 1);
    EXPECT_EQ(killcount[first], 0) << "a victim the chain passed through killed no one";
    endpanel();
}

// Each control of the OPTIONS tab changes what it says and writes its own
// line of the settings file, leaving the player's other lines as they were.
TEST(MissionPanel, OptionsReachTheSettingsFileOnTheirOwnLines) {
    startpanel();
    placeunit(1, 0, 100, 100);
    namespace fs = std::filesystem;
    std::string path = testdatadir() + "/panel-settings.ini";
    const std::string mine = "# mine\ngrab = 0\nvolume = 50\nkey-pause = Q\n";
    std::ofstream(path, std::ios::binary) << mine;
    settings_load(path);
    auto file = [&] {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    paneltab = TAB_OPTIONS;
    u32 soundwas = soundenabled = 1;
    optionvalues o = optionsnow();
    struct step {
        int control;
        const char* line;
    };
    std::string delay = "frame-delay = " + std::to_string(o.framedelay + 1) + "\n";
    std::string volume = "volume = " + std::to_string(o.volume > 10 ? o.volume - 10 : 0) + "\n";
    std::string screen = std::string("fullscreen = ") + (o.fullscreen ? "0" : "1") + "\n";
    std::string mute = std::string("mute = ") + (o.mute ? "0" : "1") + "\n";
    pressrect(optrect[OPT_VOLUMEDOWN]);
    EXPECT_EQ(file(), "# mine\ngrab = 0\n" + volume + "key-pause = Q\n") << "the volume's own line";
    EXPECT_EQ(optionsnow().volume, o.volume > 10 ? o.volume - 10 : 0);
    pressrect(optrect[OPT_SLOWER]);
    EXPECT_EQ(framedelay, o.framedelay + 1);
    pressrect(optrect[OPT_SCREEN]);
    pressrect(optrect[OPT_SCALEUP]);
    pressrect(optrect[OPT_MUTE]);
    EXPECT_EQ(soundenabled, o.mute ? soundwas : 0u) << "muting silences at once";
    std::string scale = "scale = " + std::to_string(o.scale < 8 ? o.scale + 1 : 8) + "\n";
    EXPECT_EQ(file(), "# mine\ngrab = 0\n" + volume + "key-pause = Q\n" + delay + screen + scale + mute);
    pressrect(optrect[OPT_MUTE]);
    EXPECT_EQ(soundenabled, soundwas) << "unmuting gives back the sound there was";
    soundenabled = 0; // as when no sound card opened
    pressrect(optrect[OPT_MUTE]);
    pressrect(optrect[OPT_MUTE]);
    EXPECT_EQ(soundenabled, 0u) << "unmuting opens no sound that was not there";
    pressrect(optrect[OPT_FASTER]);
    EXPECT_EQ(framedelay, o.framedelay);
    framedelay = 9;
    takespeedsetting();
    EXPECT_EQ(framedelay, o.framedelay) << "the next mission starts at the pace saved";
    EXPECT_TRUE(anytextis(boxline(2), std::to_string(o.framedelay)));
    settings_load("");
    fs::remove(path);
    soundenabled = 0;
    endpanel();
}

// A change the settings file cannot take, failed at each step of its write:
// the file stays as it was, the change holds for the run, and the player is
// told at the pointer and on the LOG tab, with the reason.
TEST(MissionPanel, AnOptionTheFileCannotTakeIsSaidAndHoldsForTheRun) {
    startpanel();
    placeunit(1, 0, 100, 100);
    std::string path = testdatadir() + "/panel-settings.ini";
    const std::string mine = "# mine\nframe-delay = 3\n";
    auto file = [&] {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    auto fresh = [&] {
        std::ofstream(path, std::ios::binary) << mine;
        settings_load(path);
        framedelay = 3;
    };
    auto shown = [] {
        std::vector<u16> s;
        for (i32 y = 0; y < 480; y++)
            for (i32 x = 0; x < 640; x++) s.push_back(vsat(x, y));
        return s;
    };
    auto blank = [] {
        lockvs();
        std::memset(vsptr, 0, VSBYTES);
        unlockvs();
    };
    paneltab = TAB_OPTIONS;
    fresh();
    plat_safewritefailat(0);
    u32 logged = eventlog.written;
    pressrect(optrect[OPT_SLOWER]);
    int steps = plat_safewritesteps();
    ASSERT_EQ(file(), "# mine\nframe-delay = 4\n");
    EXPECT_EQ(eventlog.written, logged) << "a change that was saved is not logged";
    ASSERT_GT(steps, 3);
    i32 mx, my;
    centreof(optrect[OPT_SLOWER], &mx, &my);
    mousex = mx, mousey = my;
    blank();
    flashmessage("Setting not saved!");
    const std::vector<u16> flash = shown();
    for (int n = 1; n <= steps; n++) {
        fresh();
        logged = eventlog.written;
        blank();
        plat_safewritefailat(n);
        testing::internal::CaptureStderr();
        pressrect(optrect[OPT_SLOWER]);
        testing::internal::GetCapturedStderr();
        plat_safewritefailat(0);
        EXPECT_EQ(file(), mine) << "step " << n;
        EXPECT_EQ(framedelay, 4u) << "step " << n << ": the change holds for the run";
        EXPECT_TRUE(shown() == flash) << "step " << n << ": no \"Setting not saved!\" at the pointer";
        EXPECT_EQ(eventlog.written, logged + 1) << "step " << n;
        std::string line = eventline(0);
        EXPECT_EQ(line.rfind("Not saved: cannot ", 0), 0u) << "step " << n << ": " << line;
    }
    settings_load("");
    std::filesystem::remove(path);
    endpanel();
}

// Every control of the panel says what it does; a spell slot names its
// spell and cost; the line stands over the panel and nothing else moves.
TEST(MissionPanel, HoveringAControlShowsOneLineSayingWhatItDoes) {
    startpanel();
    placeunit(1, 0, 100, 100);
    std::vector<std::string> seen;
    auto says = [&](i32 x, i32 y) {
        std::string line = panelhelpat(x, y);
        EXPECT_FALSE(line.empty()) << x << "," << y;
        for (const std::string& s : seen) EXPECT_NE(s, line) << x << "," << y << " says what another control says";
        seen.push_back(line);
        return line;
    };
    says(18, 440), says(92, 440), says(598, 454), says(56, 412), says(598, 418);
    for (int k = 0; k < 4; k++) {
        std::string line = says(475, spelltexty[k] + 4);
        int s = unittype[1]->specials[k];
        EXPECT_NE(line.find(spell[s]->name), std::string::npos) << line;
        if (s != SPELL_HIDE) {
            EXPECT_NE(line.find(std::to_string(spell[s]->magiccost) + " magic"), std::string::npos) << line;
        }
    }
    for (int t = 0; t < NUMTABS; t++) says(tabrect[t].left + 2, 406);
    paneltab = TAB_OPTIONS;
    for (int c = 0; c < NUMOPTCONTROLS; c++) {
        i32 x, y;
        centreof(optrect[c], &x, &y);
        says(x, y);
    }
    EXPECT_STREQ(panelhelpat(250, 412), "") << "the gold line is no control";
    mousex = 320, mousey = 200;
    const std::vector<u16> off = drawn();
    mousex = 475, mousey = spelltexty[2] + 4;
    const std::vector<u16> on = drawn();
    size_t above = (size_t)(PANELTOP - 14 - 380) * 640;
    EXPECT_TRUE(std::equal(off.begin(), off.begin() + (long)above, on.begin())) << "drawn no higher than its line";
    EXPECT_FALSE(std::equal(off.begin() + (long)above, off.begin() + (long)(20 * 640), on.begin() + (long)above))
        << "the line is drawn over the map's last rows";
    EXPECT_TRUE(std::equal(off.begin() + 20 * 640, off.end(), on.begin() + 20 * 640)) << "the panel itself is unchanged";
    endpanel();
}
