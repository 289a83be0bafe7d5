// Opening and reading files of the data tree: only regular files, never
// more than the caller can take.
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "testenv.h"

namespace fs = std::filesystem;

// Runs call(), which must come back by itself. Should it hang on the FIFO,
// the other end is opened so that it returns and the test can fail.
template <typename F> static bool returnsalone(const char* fifo, int otherend, F call) {
    std::future<bool> done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(3)) == std::future_status::ready) return true;
    int fd = open(fifo, otherend | O_NONBLOCK);
    done.wait();
    if (fd >= 0) close(fd);
    return false;
}

TEST(Files, FifoInTheDataTreeIsRefusedWithoutBlocking) {
    starttestplatform();
    ASSERT_EQ(mkfifo("bitmaps/Pipe.bmp", 0644), 0);
    std::vector<u8> bytes;
    bool read = true;
    EXPECT_TRUE(returnsalone("bitmaps/Pipe.bmp", O_WRONLY,
                             [&] { return read = plat_readfile("bitmaps\\pipe.bmp", &bytes, 1 << 20); }))
        << "plat_readfile waits for a writer";
    EXPECT_FALSE(read);
    platfile* f = nullptr;
    EXPECT_TRUE(returnsalone("bitmaps/Pipe.bmp", O_WRONLY, [&] { return (f = plat_fopenread("BITMAPS\\PIPE.BMP")) == nullptr; }))
        << "plat_fopenread waits for a writer";
    EXPECT_EQ(f, nullptr);
    plat_fclose(f);
    // The log is created in place: a FIFO there must not hang start-up either.
    ASSERT_EQ(mkfifo("text/debug.log", 0644), 0);
    platfile* log = nullptr;
    int reader = open("text/debug.log", O_RDONLY | O_NONBLOCK); // a reader present: the open alone would not fail
    EXPECT_TRUE(returnsalone("text/debug.log", O_RDONLY, [&] { return (log = plat_fcreate("text\\debug.log")) == nullptr; }));
    EXPECT_EQ(log, nullptr);
    plat_fclose(log);
    if (reader >= 0) close(reader);
    EXPECT_EQ(plat_fopenread("bitmaps"), nullptr) << "a directory is no file";
}

TEST(Files, WholeReadsStopAtTheirCapBeforeAllocating) {
    starttestplatform();
    std::ofstream("bitmaps/hundred.bin", std::ios::binary) << std::string(100, 'h');
    std::vector<u8> bytes;
    EXPECT_FALSE(plat_readfile("bitmaps\\hundred.bin", &bytes, 99));
    EXPECT_EQ(bytes.capacity(), 0u) << "nothing is allocated for a file that is too large";
    ASSERT_TRUE(plat_readfile("bitmaps\\hundred.bin", &bytes, 100));
    EXPECT_EQ(bytes, std::vector<u8>(100, 'h'));
    std::ofstream("bitmaps/empty.bin", std::ios::binary);
    EXPECT_TRUE(plat_readfile("bitmaps\\empty.bin", &bytes, 0));
    EXPECT_TRUE(bytes.empty());
}

// A script named on the command line is read the same careful way.
TEST(Files, HostFilesAreReadOnlyWhenRegularAndWithinTheirCap) {
    starttestplatform();
    std::string dir = testdatadir();
    std::ofstream(dir + "/run.script") << "5 key P\n";
    std::vector<u8> out;
    EXPECT_TRUE(plat_readhostfile(dir + "/run.script", &out, 8));
    EXPECT_EQ(out.size(), 8u);
    EXPECT_FALSE(plat_readhostfile(dir + "/run.script", &out, 7));
    ASSERT_EQ(mkfifo((dir + "/pipe.script").c_str(), 0644), 0);
    auto read = std::async(std::launch::async, [&] { return plat_readhostfile(dir + "/pipe.script", &out, 1 << 20); });
    ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready) << "a FIFO must not block";
    EXPECT_FALSE(read.get());
    EXPECT_FALSE(plat_readhostfile(dir, &out, 1 << 20)) << "a directory";
}
