// The shipped content tree is found from where the executable lies, and a
// tree that is missing is named where the player would look for it.
#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>

#include "platform/datadir.h"

namespace {

std::set<std::string> dirs;
bool fakeisdir(const std::string& path) { return dirs.count(path) != 0; }

std::string choose(const std::string& exe) { return datadir_choose(exe, "/build/data", fakeisdir); }

}  // namespace

TEST(DataDir, AnInstalledTreeBesideTheExecutableWinsWhereverThePrefixIs) {
    dirs = {"/usr/share/vennor", "/opt/games/vennor-0.1/share/vennor", "/share/vennor"};
    EXPECT_EQ(choose("/usr/bin/vennor"), "/usr/share/vennor");
    EXPECT_EQ(choose("/opt/games/vennor-0.1/bin/vennor"), "/opt/games/vennor-0.1/share/vennor");
    EXPECT_EQ(choose("/bin/vennor"), "/share/vennor");
    // Only the prefix's own tree counts, not the one of /usr.
    EXPECT_EQ(choose("/usr/local/bin/vennor"), "/usr/local/share/vennor");
}

TEST(DataDir, ABuildTreeExecutableUsesTheTreeItsBuildGenerated) {
    dirs = {"/usr/share/vennor"};
    EXPECT_EQ(choose("/home/me/vennor/build/vennor"), "/build/data");
    EXPECT_EQ(choose("/usr/vennor"), "/build/data");  // a prefix needs a bin folder
    EXPECT_EQ(choose("vennor"), "/build/data");        // unknown location: no guessing
    EXPECT_EQ(choose(""), "/build/data");
}

TEST(DataDir, AnInstallThatLostItsTreeIsToldWhereItShouldBe) {
    dirs = {};
    EXPECT_EQ(choose("/usr/bin/vennor"), "/usr/share/vennor");
    EXPECT_EQ(choose("/opt/x/bin/vennor"), "/opt/x/share/vennor");
    EXPECT_EQ(choose("/opt/x/sbin/vennor"), "/build/data");  // "bin" is the whole name
    std::string m = datadir_missing("/opt/x/share/vennor", false, ENOENT);
    EXPECT_NE(m.find("/opt/x/share/vennor"), std::string::npos) << m;
    EXPECT_NE(m.find("No such file"), std::string::npos) << m;
    EXPECT_NE(m.find("--data DIR"), std::string::npos) << m;
    // A tree the player named is his own: no advice to reinstall.
    m = datadir_missing("/home/me/tree", true, ENOENT);
    EXPECT_EQ(m.rfind("cannot enter the data directory /home/me/tree", 0), 0u) << m;
    EXPECT_EQ(m.find("reinstall"), std::string::npos) << m;
}

TEST(DataDir, ThisProcessFindsTheBuildTreeItWasBuiltFor) {
    // The tests run from the build folder, which holds no share/vennor.
    EXPECT_EQ(datadir_default(), VENNOR_DATA);
}
