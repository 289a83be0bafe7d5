#include "game/campaign.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/debuglog.h"
#include "app/gamestate.h"
#include "app/redrawscreen.h"
#include "game/mission.h"
#include "game/missionstats.h"
#include "platform/files.h"
#include "platform/safewrite.h"
#include "text/boxes.h"
#include "text/dialog.h"

const campaignmission campaign[NUMMISSIONS] = {
    {"maps\\map0.dat", "The Keep"},
    {"maps\\forest.dat", "The Forest Road"},
    {"maps\\crypt.dat", "The Crypt"},
};

static constexpr const char* HEADER = "vennor campaign\nopen ";
static constexpr size_t CAMPAIGNMAXFILE = 256;

std::string campaigntext(int open) { return HEADER + std::to_string(open) + "\n"; }

int campaignfromtext(const std::string& text) {
    std::string head = HEADER;
    if (text.compare(0, head.size(), head) != 0) return 0;
    std::string rest = text.substr(head.size());
    if (rest.size() != 2 || rest[1] != '\n' || rest[0] < '1' || rest[0] > '0' + NUMMISSIONS) return 0;
    return rest[0] - '0';
}

int missionsopen() {
    if (!plat_fileexists(CAMPAIGNFILE)) return 1;
    std::vector<u8> bytes;
    int open = 0;
    if (plat_readfile(CAMPAIGNFILE, &bytes, CAMPAIGNMAXFILE)) open = campaignfromtext(std::string(bytes.begin(), bytes.end()));
    if (!open) debuglog("%s is not a campaign's progress; the campaign begins afresh\n", CAMPAIGNFILE);
    return open ? open : 1;
}

bool keepmissionsopen(int open, std::string* why) {
    std::string text = campaigntext(open < 1 ? 1 : open > NUMMISSIONS ? NUMMISSIONS : open);
    return plat_safewritefile(CAMPAIGNFILE, text.data(), text.size(), why);
}

static int missionlist = -1;
static int openmissions = 1;

static bool acceptmission() {
    if (dialog.ctl[missionlist].sel < openmissions) return true;
    dialog_flash(missionlist, "Win the mission before it first");
    return false;
}

static void activatemission(int, i32 row) {
    dialog_select(missionlist, row);
    dialog_ok();
}

// The mission chosen, -1 for none.
static int choosemission() {
    openmissions = missionsopen();
    std::vector<std::string> rows;
    for (int m = 0; m < NUMMISSIONS; m++) {
        char row[80];
        std::snprintf(row, sizeof row, "%d. %s%s", m + 1, campaign[m].title, m < openmissions ? "" : "  (not yet open)");
        rows.push_back(row);
    }
    dialog_begin("New Game", 170, 160, 300, 140);
    dialog_label(190, 188, "Choose a mission:");
    missionlist = dialog_list(190, 206, 260, NUMMISSIONS);
    dialog_setitems(missionlist, rows);
    dialog_select(missionlist, openmissions - 1);
    dialog_buttons(230, 262);
    dialog.focus = missionlist;
    dialog.accept = acceptmission;
    dialog.activate = activatemission;
    return dialog_run(GS_FILEDIALOG) == 1 ? dialog.ctl[missionlist].sel : -1;
}

static void opened(int open) {
    if (open <= missionsopen()) return;
    std::string why;
    if (keepmissionsopen(open, &why)) return;
    std::string text = "The campaign's progress was not kept: " + why;
    okbox(text.c_str());
}

int campaignafter(int m) {
    u8 outcome = missionstats.outcome;
    char text[128];
    if (outcome == OUTCOME_WON) {
        opened(m + 2 > NUMMISSIONS ? NUMMISSIONS : m + 2);
        if (m + 1 == NUMMISSIONS) {
            okbox("The campaign is won! Every mission stays open under New Game.");
            return -1;
        }
        std::snprintf(text, sizeof text, "Go on to mission %d, %s?", m + 2, campaign[m + 1].title);
        return confirmbox(text) ? m + 1 : -1;
    }
    if (outcome == OUTCOME_LOST) return confirmbox("Try the mission again?") ? m : -1;
    return -1;
}

u32 runcampaign() {
    int m = choosemission();
    redrawscreen();
    while (m >= 0) {
        debuglog("Campaign mission %d: %s\n", m + 1, campaign[m].title);
        missionstats.outcome = OUTCOME_NONE;
        if (!runmissionon(campaign[m].map)) return 0;
        m = campaignafter(m);
        redrawscreen();
    }
    return 1;
}
