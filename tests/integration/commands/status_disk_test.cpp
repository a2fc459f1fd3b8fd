// The status file on a real disk: exact bytes, what survives a save, and
// that neither a full disk nor a crash at any moment leaves it half written.
#include "commands/breakpoints.h"
#include "link/link_state.h"
#include "link_fixture.h"
#include "source/source.h"
#include "source_given.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <random>

namespace {

class StatusOnDisk : public DiskTest {
  protected:
    std::string path;

    void SetUp() override {
        DiskTest::SetUp();
        g_link.run_vector = {"vel", "c:/proj/demo.ost"};
        given_source(std::vector<std::string>(200, "x\n"));
        given_file_map({{0, 99, 0, "c:/proj/demo.ost"}, {100, 199, 100, "c:/lib/lib.ost"}});
        path = dir.file(".vel_status");
    }
    // Line breakpoints on `count` lines from `first`, and one routine.
    static void breakpoints(int first, int count, const char* routine) {
        g_breakpoints = BreakpointTable{};
        for (int i = 0; i < count; ++i)
            g_breakpoints.lines.push_back((first + i) % 200);
        g_breakpoints.routines.push_back({routine, -1, 0});
    }
};

TEST_F(StatusOnDisk, TheExampleByteForByte) {
    vel_bp_on_stop_set(11);
    run("stop in sub1");
    EXPECT_EQ(vel_status_save(path, Quiet::No), 0);
    EXPECT_EQ(read_host_file(path), "main demo.ost stop in demo.ost 12\n"
                                    "routine sub1 stop in sub1\n");
    // Nothing is left beside it.
    EXPECT_EQ(dir.names(), Lines{".vel_status"});
}

TEST_F(StatusOnDisk, AFullDiskAtAnyByteLeavesTheOldFile) {
    const std::string old_text = "main other.ost stop in other.ost 3\n"
                                 "main demo.ost stop in demo.ost 40\n";
    write_host_file(path, old_text);
    breakpoints(10, 40, "sub1");
    const std::size_t new_size =
        vel_status_compose({"main other.ost stop in other.ost 3"}, "").size();

    // The file-size limit stands in for a full disk: a write past it fails.
    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    for (std::size_t limit = 0; limit < new_size; limit += 7) {
        clear_pane();
        rlimit small = saved;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
        const int result = vel_status_save(path, Quiet::No);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(result, -1) << limit;
        EXPECT_EQ(read_host_file(path), old_text) << limit;
        EXPECT_EQ(messages(), (Lines{"Unable to write in file " + path + ".", "File too large"}))
            << limit;
        EXPECT_EQ(dir.names(), Lines{".vel_status"}) << limit;
    }
    std::signal(SIGXFSZ, previous_handler);
    clear_pane();
    EXPECT_EQ(vel_status_save(path, Quiet::Yes), 0);
    EXPECT_EQ(read_host_file(path).size(), new_size);
}

TEST_F(StatusOnDisk, ACrashAtAnyMomentLeavesTheOldOrTheNewFile) {
    // Two large contents, so that a kill often lands inside the writing.
    breakpoints(0, 180, "first");
    const std::string first = vel_status_compose({}, "");
    breakpoints(20, 170, "second");
    const std::string second = vel_status_compose({}, "");
    ASSERT_NE(first, second);
    ASSERT_EQ(vel_status_save(path, Quiet::Yes), 0);

    // Kill a saving child at random moments until the kills have caught
    // both contents on the disk and at least one save half done (its new
    // file still beside the old one); every time, the file must be whole.
    std::mt19937 random(4);
    int seen_first = 0, seen_second = 0, interrupted = 0, round = 0;
    for (; round < 400 && !(seen_first && seen_second && interrupted); ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                if (i % 2)
                    breakpoints(20, 170, "second");
                else
                    breakpoints(0, 180, "first");
                vel_status_save(path, Quiet::Yes);
            }
        }
        usleep(500 + random() % 4000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = read_host_file(path);
        ASSERT_TRUE(now == first || now == second)
            << "round " << round << ": " << now.size() << " bytes";
        (now == first ? seen_first : seen_second)++;
        for (const std::string& name : dir.names()) {
            if (name == ".vel_status") continue;
            ++interrupted;
            std::filesystem::remove(dir.path / name);
        }
    }
    EXPECT_GT(seen_first, 0) << round << " rounds";
    EXPECT_GT(seen_second, 0) << round << " rounds";
    EXPECT_GT(interrupted, 0) << round << " rounds";
}

} // namespace
