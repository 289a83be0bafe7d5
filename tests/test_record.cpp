// Writes that report their failure: the --record script and the debug log.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "app/debuglog.h"
#include "platform/backend.h"
#include "platform/safewrite.h"
#include "platform/scriptplayer.h"
#include "testenv.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> entries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct ran {
    int status;
    std::string err;
};

ran rungame(const std::string& args) {
    std::string dir = fs::path(VENNOR_TEST_TMP) / "record";
    fs::create_directories(dir);
    std::string errfile = dir + "/stderr.txt", script = dir + "/empty.script";
    std::ofstream(script) << "";
    int st = std::system(
        (std::string(VENNOR_EXE) + " --headless --data " + dir + " --play " + script + " " + args + " 2>" + errfile)
            .c_str());
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, readtext(errfile)};
}

} // namespace

TEST(Record, RecordingIsWrittenWholeAtTheEndOrNotAtAll) {
    starttestplatform();
    fs::create_directories("rec");
    std::string path = fs::absolute("rec/session.txt");
    std::ofstream(path) << "an older recording\n";
    std::string err;
    ASSERT_TRUE(scriptplayer_open("", path, true, &err)) << err;
    plat_record("keydown A");
    EXPECT_EQ(readtext(path), "an older recording\n") << "the old file stays until the run ends";
    testing::internal::CaptureStderr();
    plat_safewritefailat(1);
    plat_record("keyup A");
    plat_safewritefailat(0);
    plat_record("keydown B");
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot write " + path), std::string::npos) << said;
    EXPECT_EQ(said.find("cannot write", said.find("cannot write") + 1), std::string::npos) << "said once: " << said;
    std::string why;
    EXPECT_FALSE(scriptplayer_endrecording(&why));
    EXPECT_EQ(readtext(path), "an older recording\n");
    EXPECT_EQ(entries("rec"), std::vector<std::string>{"session.txt"});

    ASSERT_TRUE(scriptplayer_open("", path, true, &err)) << err;
    plat_record("key F1");
    ASSERT_TRUE(scriptplayer_endrecording(&why)) << why;
    std::string text = readtext(path);
    EXPECT_EQ(text.rfind("# recorded input", 0), 0u) << text;
    EXPECT_NE(text.find(" key F1\n"), std::string::npos) << text;
}

TEST(Record, LostRecordingEndsTheProcessWithStatusOne) {
    starttestplatform();
    std::string path = fs::absolute("text/lost.txt");
    std::string err;
    ASSERT_TRUE(scriptplayer_open("", path, true, &err)) << err;
    plat_record("key F2");
    EXPECT_EXIT(
        {
            plat_safewritefailat(1); // the flush of the finished recording
            scriptplayer_close();
            std::exit(0);
        },
        testing::ExitedWithCode(1), "the recording is lost: cannot flush .*lost.txt");
    // The child took the temporary away with it; nothing is left.
    for (const std::string& name : entries("text")) EXPECT_EQ(name.find("lost.txt"), std::string::npos) << name;
    std::string why;
    EXPECT_FALSE(scriptplayer_endrecording(&why));
}

TEST(Record, GameRefusesARecordingItCannotWrite) {
    for (const char* target : {"/dev/full", "/nonexistent-vennor-dir/rec.txt"}) {
        ran r = rungame(std::string("--record ") + target);
        EXPECT_NE(r.status, 0) << target;
        EXPECT_NE(r.err.find(target), std::string::npos) << r.err;
    }
    struct stat st;
    ASSERT_EQ(stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << "the device must not have been replaced";
}

TEST(DebugLog, LostLinesAreToldWhenTheLogCloses) {
    starttestplatform();
    ASSERT_TRUE(opendebuglog());
    ASSERT_TRUE(debuglograw("Game Start ...\n\n"));
    // The file may not grow past its size now: the next line fails.
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = (rlim_t)fs::file_size("text/debug.log");
    void (*oldhandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = debuglograw("a line that does not fit\n");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldhandler);
    EXPECT_FALSE(written);
    testing::internal::CaptureStderr();
    closedebuglog();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("text\\debug.log is incomplete"), std::string::npos) << said;

    // A log without trouble closes quietly.
    ASSERT_TRUE(opendebuglog());
    ASSERT_TRUE(debuglograw("fine\n"));
    testing::internal::CaptureStderr();
    closedebuglog();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
