// The file dialog: what a folder lists and in which order, walking up and
// down folders and places, choosing by double click, Ok and Cancel, and
// that the working directory never moves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/gamestate.h"
#include "editor/filedialog.h"
#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/scriptplayer.h"
#include "text/dialog.h"
#include "testenv.h"

namespace fs = std::filesystem;

static void touch(const std::string& path) { std::ofstream(path) << "x"; }

TEST(FileDialog, ListsParentThenFoldersThenMatchingFilesEachSortedIgnoringCase) {
    starttestplatform();
    std::string d = testdatadir() + "/pick";
    for (const char* sub : {"beta", "Alpha", "gamma", "folder.bmp"}) fs::create_directories(d + "/" + sub);
    for (const char* f : {"b.BMP", "A.bmp", "c.txt", "Zed.bmp", "bmp", "a.bmpx"}) touch(d + "/" + f);
    filelisting l;
    ASSERT_TRUE(listfiledir(d, "*.bmp", &l));
    EXPECT_EQ(l.dirs, (std::vector<std::string>{"..", "Alpha", "beta", "folder.bmp", "gamma"}))
        << "a folder is listed as a folder even when its name matches";
    EXPECT_EQ(l.files, (std::vector<std::string>{"A.bmp", "b.BMP", "Zed.bmp"}));
    ASSERT_TRUE(listfiledir(d + "/beta", "*.bmp", &l)) << "an empty folder is no error";
    EXPECT_EQ(l.dirs, (std::vector<std::string>{".."}));
    EXPECT_TRUE(l.files.empty());
    EXPECT_FALSE(listfiledir(d + "/nothere", "*.bmp", &l));
    ASSERT_TRUE(listfiledir("/", "*", &l));
    ASSERT_FALSE(l.dirs.empty());
    EXPECT_NE(l.dirs[0], "..") << "nothing above the root";
}

TEST(FileDialog, SpecsMatchWholeNamesInAnyCase) {
    EXPECT_TRUE(filespecmatch("*.bmp", "LAND.BMP"));
    EXPECT_TRUE(filespecmatch("*", ".hidden"));
    EXPECT_TRUE(filespecmatch("l?nd*.b*p", "Land01.bmp"));
    EXPECT_TRUE(filespecmatch("*a*a*", "banana"));
    EXPECT_FALSE(filespecmatch("*.bmp", "land.bmp.txt"));
    EXPECT_FALSE(filespecmatch("*.bmp", "bmp"));
    EXPECT_FALSE(filespecmatch("?.bmp", ".bmp"));
    EXPECT_FALSE(filespecmatch("land", "lan"));
}

TEST(FileDialog, SpecListsMatchWhenAnyOfTheirPatternsDoes) {
    EXPECT_TRUE(filespecmatch("*.bmp;*.png", "land.BMP"));
    EXPECT_TRUE(filespecmatch("*.bmp;*.png", "Land.png"));
    EXPECT_TRUE(filespecmatch("a?;*.png;x*", "xylophone"));
    EXPECT_FALSE(filespecmatch("*.bmp;*.png", "land.pcx"));
    EXPECT_FALSE(filespecmatch("*.bmp;*.png", "land.bmp.png.txt"));
    EXPECT_FALSE(filespecmatch("*.bm;*.pn", "a.bmp")) << "each pattern ends at its ';'";
    EXPECT_TRUE(filespecmatch("*.bmp;", "a.bmp"));
    EXPECT_FALSE(filespecmatch("*.bmp;", "a.png")) << "an empty pattern matches no name";
    // What the editors list their sources with.
    starttestplatform();
    std::string d = testdatadir() + "/sources";
    fs::create_directories(d);
    for (const char* f : {"b.PNG", "a.bmp", "c.pcx", "d.png.txt"}) touch(d + "/" + f);
    filelisting l;
    ASSERT_TRUE(listfiledir(d, PICTUREFILES, &l));
    EXPECT_EQ(l.files, (std::vector<std::string>{"a.bmp", "b.PNG"}));
}

TEST(FileDialog, JoiningGoesUpToTheRootAndHasNoLengthLimit) {
    EXPECT_EQ(joinfiledir("/a/b", ".."), "/a");
    EXPECT_EQ(joinfiledir("/a", ".."), "/");
    EXPECT_EQ(joinfiledir("/", ".."), "/");
    EXPECT_EQ(joinfiledir("/", "x.bmp"), "/x.bmp") << "one slash at the root";
    EXPECT_EQ(joinfiledir("/a", "x.bmp"), "/a/x.bmp");
    // Far past the 260 characters a path once had.
    starttestplatform();
    std::string deep = testdatadir();
    for (int i = 0; i < 6; i++) deep = joinfiledir(deep, std::string(200, (char)('a' + i)));
    fs::create_directories(deep);
    touch(deep + "/far.bmp");
    filelisting l;
    ASSERT_TRUE(listfiledir(deep, "*.bmp", &l));
    EXPECT_EQ(l.files, (std::vector<std::string>{"far.bmp"}));
    EXPECT_EQ(joinfiledir(joinfiledir(deep, ".."), std::string(200, 'f')), deep);
}

TEST(FileDialog, PlacesAreTheDataFolderTheHomeFolderAndTheRoot) {
    starttestplatform();
    std::vector<std::string> names, paths;
    const char* home = std::getenv("HOME");
    std::string kept = home ? home : "";
    fs::create_directories(testdatadir() + "/home");
    setenv("HOME", (testdatadir() + "/home/").c_str(), 1);
    fileplaces(&names, &paths);
    EXPECT_EQ(paths, (std::vector<std::string>{fs::current_path().string(), testdatadir() + "/home", "/"}));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[1], "Home folder");
    setenv("HOME", (testdatadir() + "/nohome").c_str(), 1);
    fileplaces(&names, &paths);
    EXPECT_EQ(paths, (std::vector<std::string>{fs::current_path().string(), "/"})) << "a home that is not there";
    unsetenv("HOME");
    fileplaces(&names, &paths);
    EXPECT_EQ(paths.size(), 2u);
    if (home) setenv("HOME", kept.c_str(), 1);
}

// The dialog run as the game runs it, on the data folder's "terrain".
static u32 runscripted(const std::string& script, const char* folder = "terrain") {
    std::string path = testdatadir() + "/fd.script", err;
    std::ofstream(path) << script;
    platq_reset(); // the end of the last script left its quit behind
    EXPECT_TRUE(scriptplayer_open(path, "", true, &err)) << err;
    u32 result = 99;
    try {
        result = choosefile(folder, "*.bmp");
    } catch (const processexit&) {
        ADD_FAILURE() << "the script ran out before the dialog closed";
    }
    return result;
}

static std::string startfiles() {
    starttestdisplay();
    fs::create_directories("Terrain/sub");
    for (const char* f : {"Terrain/Grass.bmp", "Terrain/a.bmp", "Terrain/notes.txt", "Terrain/sub/deep.bmp"}) touch(f);
    cleargamestack();
    gamestate = GS_EDITMAP; // a screen that repaints itself in its own loop
    reopenfiledir = 0;
    lastfiledir.clear();
    chosenpath.clear();
    return fs::current_path().string();
}

// Rows of the folder list start at y 120, of the file list too.
static std::string dbl(int x, int y) {
    return "0 move " + std::to_string(x) + " " + std::to_string(y) + "\n0 ldown\n0 lup\n0 ldown\n0 lup\n";
}

TEST(FileDialog, DoubleClicksOpenFoldersAndPickFilesWithoutMovingTheWorkingDirectory) {
    std::string cwd = startfiles();
    // Folder row 1 is "sub"; its file row 0 is "deep.bmp".
    EXPECT_EQ(runscripted(dbl(100, 120 + 14 + 5) + dbl(330, 125)), 1u);
    EXPECT_EQ(chosenpath, cwd + "/Terrain/sub/deep.bmp");
    EXPECT_EQ(lastfiledir, cwd + "/Terrain/sub");
    EXPECT_EQ(fs::current_path().string(), cwd);
    EXPECT_EQ(gamestate, GS_EDITMAP) << "back on the screen that asked";
    EXPECT_EQ(gamestack[0], 0);
    EXPECT_FALSE(plat_textinput()) << "typing ends with the dialog";

    // Reopened where it was; "..", then the second file: "Grass.bmp" after "a.bmp".
    reopenfiledir = 1;
    EXPECT_EQ(runscripted(dbl(100, 125) + "0 move 330 139\n0 ldown\n0 lup\n0 key ENTER\n"), 1u);
    EXPECT_EQ(chosenpath, cwd + "/Terrain/Grass.bmp");
    EXPECT_EQ(lastfiledir, cwd + "/Terrain");
}

TEST(FileDialog, OkWithoutAFileDoesNothingAndEscapeCancels) {
    std::string cwd = startfiles();
    chosenpath = "before";
    EXPECT_EQ(runscripted("0 key ENTER\n0 move 390 410\n0 ldown\n0 lup\n0 key ESC\n"), 0u);
    EXPECT_EQ(chosenpath, "before");
    EXPECT_EQ(lastfiledir, cwd + "/Terrain");
    EXPECT_EQ(dialog.ctl[fdfiles].items, (std::vector<std::string>{"a.bmp", "Grass.bmp"}));
}

TEST(FileDialog, ThePlacesListTakesTheDialogToTheDataFolderByKeyboard) {
    std::string cwd = startfiles();
    // Files have the focus; Tab to the places, Down to the first, Enter.
    EXPECT_EQ(runscripted("0 key TAB\n0 key DOWN\n0 key ENTER\n0 key ESC\n"), 0u);
    EXPECT_EQ(lastfiledir, cwd);
    // Shift+Tab back to the files, which now list the data folder's.
    touch("top.bmp");
    EXPECT_EQ(runscripted("0 key TAB\n0 key DOWN\n0 key ENTER\n0 keydown SHIFT\n0 key TAB\n0 keyup SHIFT\n"
                          "0 key DOWN\n0 key ENTER\n"),
              1u);
    EXPECT_EQ(chosenpath, cwd + "/top.bmp");
}

TEST(FileDialog, AFolderThatCannotBeReadShowsTheErrorAndChoosesNothing) {
    startfiles();
    boxes.clear();
    EXPECT_EQ(runscripted("", "nothere"), 0u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "FindFirstFile() failed!");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(gamestate, GS_EDITMAP);
}
