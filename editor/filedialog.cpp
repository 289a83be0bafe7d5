#include "editor/filedialog.h"

#include <filesystem>
#include <system_error>

#include "app/gamestate.h"
#include "platform/files.h"
#include "platform/usertree.h"
#include "text/dialog.h"
#include "video/dderror.h"
#include "video/display.h"

std::string lastfiledir;
u8 reopenfiledir = 0;
std::string chosenpath;
std::string filedialogdir;

int fdfolders = -1, fdfiles = -1, fdplaces = -1;
static int fddirname = -1;
static std::vector<std::string> placepaths;
static std::string fdspec;

// A folder of the game shows the shipped entries and the player's together;
// a name is taken from the tree that holds it.
static std::string located(const std::string& name) {
    std::string here = joinfiledir(filedialogdir, name), other;
    std::error_code ec;
    if (name == ".." || std::filesystem::exists(here, ec) || !plat_othertree(filedialogdir, &other)) return here;
    return joinfiledir(other, name);
}

static void choose(i32 row) {
    const dlgcontrol& l = dialog.ctl[fdfiles];
    if (row < 0 || row >= (i32)l.items.size()) return;
    chosenpath = located(l.items[(size_t)row]);
    boxresult = 1;
}

// Ok with no file selected does nothing.
static bool acceptfile() {
    const dlgcontrol& l = dialog.ctl[fdfiles];
    if (l.sel < 0 || l.sel >= (i32)l.items.size()) return false;
    chosenpath = located(l.items[(size_t)l.sel]);
    return true;
}

bool filedialog_show(const std::string& dir) {
    filelisting found;
    if (!listfiledir(dir, fdspec.c_str(), &found)) {
        // As when the listing failed on opening: the dialog closes with no file.
        fliptogdi();
        errorbox("Error", "FindFirstFile() failed!");
        filedialogdir = dir;
        boxresult = 0;
        return false;
    }
    std::string other;
    filelisting more;
    if (plat_othertree(dir, &other) && listfiledir(other, fdspec.c_str(), &more)) mergefilelisting(&found, more);
    filedialogdir = dir;
    dialog.ctl[fddirname].text = dir;
    dialog_setitems(fdfolders, std::move(found.dirs));
    dialog_setitems(fdfiles, std::move(found.files));
    dialog.ctl[fdfiles].sel = -1;
    return true;
}

void filedialog_activate(int ctl, i32 row) {
    if (ctl == fdfiles) {
        choose(row);
    } else if (ctl == fdfolders) {
        const dlgcontrol& l = dialog.ctl[fdfolders];
        if (row >= 0 && row < (i32)l.items.size()) filedialog_show(located(l.items[(size_t)row]));
    } else if (ctl == fdplaces) {
        if (row >= 0 && row < (i32)placepaths.size()) filedialog_show(placepaths[(size_t)row]);
    }
}

static void build(const char* pattern) {
    dialog_begin("Select File", 60, 36, 520, 408);
    dialog_label(80, 66, "Directory Name:");
    fddirname = dialog_label(80, 82, "");
    dialog_label(80, 102, "Folders");
    dialog_label(310, 102, "Files");
    std::string shownpattern = std::string("File Specs: ") + pattern;
    dialog_label(310, 66, "");
    dialog.ctl[dialog.count - 1].text = shownpattern;
    fdfolders = dialog_list(80, 118, 214, 12);
    fdfiles = dialog_list(310, 118, 250, 20);
    dialog_label(80, 302, "Places");
    fdplaces = dialog_list(80, 318, 214, 4);
    dialog_buttons(384, 404);
    std::vector<std::string> names;
    fileplaces(&names, &placepaths);
    dialog_setitems(fdplaces, names);
    dialog.ctl[fdplaces].sel = -1;
    dialog.focus = fdfiles;
    dialog.accept = acceptfile;
    dialog.activate = filedialog_activate;
}

u32 choosefile(const char* folder, const char* pattern) {
    std::error_code ec;
    std::string start = std::filesystem::current_path(ec).string();
    std::string sub = plat_hostpath(folder);
    if (!sub.empty()) start = joinfiledir(start, sub);
    if (reopenfiledir && !lastfiledir.empty()) start = lastfiledir;
    fdspec = pattern;
    build(pattern);
    u8 result = 0;
    if (filedialog_show(start)) result = dialog_run(GS_FILEDIALOG);
    lastfiledir = filedialogdir;
    return result == 1 ? 1 : 0;
}
