#include "startup/home_dir.h"

#include "test_support.h"

namespace {

class HomeDirectory : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        headless::fake_fs_enable();
        headless::fake_fs_set_current_dir(u"C:\\work");
        headless::fake_fs_add_dir("C:\\work");
        headless::fake_fs_add_dir("C:\\bin");
        headless::fake_fs_add_dir("C:\\tools");
    }
};

} // namespace

TEST_F(HomeDirectory, TakenFromTheProgramPath) {
    EXPECT_EQ(find_home_directory("C:\\tools\\vel.exe"), "C:\\tools\\");
    EXPECT_EQ(find_home_directory("C:/tools/vel.exe"), "C:\\tools\\");
    EXPECT_EQ(find_home_directory("tools\\vel"), "tools\\");
}

TEST_F(HomeDirectory, DriveRelativeNameGivesTheDriveAlone) {
    EXPECT_EQ(find_home_directory("C:vel.exe"), "C:");
    // Too short to be drive-relative: looked up along PATH instead.
    headless::set_env("PATH", "C:\\bin");
    headless::fake_fs_add_file("C:\\bin\\C:v.exe");
    EXPECT_EQ(find_home_directory("C:v"), "C:\\bin\\");
}

TEST_F(HomeDirectory, BareNameSearchesCurrentDirectoryFirstThenPath) {
    headless::set_env("PATH", "C:\\bin;;C:\\tools");
    headless::fake_fs_add_file("C:\\tools\\vel.exe");
    EXPECT_EQ(find_home_directory("vel"), "C:\\tools\\");
    headless::fake_fs_add_file("C:\\bin\\vel.exe");
    EXPECT_EQ(find_home_directory("vel"), "C:\\bin\\");
    headless::fake_fs_add_file("C:\\work\\vel.exe");
    // The current directory is the list entry ".\" followed by the separator.
    EXPECT_EQ(find_home_directory("vel"), ".\\\\");
}

TEST_F(HomeDirectory, ExeIsAddedUnlessTheNameEndsInIt) {
    headless::set_env("PATH", "C:\\bin");
    headless::fake_fs_add_file("C:\\bin\\VEL.EXE");
    EXPECT_EQ(find_home_directory("VEL.EXE"), "C:\\bin\\");
    // "vel.exe.exe" does not exist, so a name already ending in .exe must
    // not get a second one.
    EXPECT_EQ(find_home_directory("vel.exe"), "C:\\bin\\");
    EXPECT_EQ(find_home_directory("vel"), "C:\\bin\\");
    EXPECT_EQ(find_home_directory("vel.ex"), std::nullopt);
}

TEST_F(HomeDirectory, NothingWithoutPathOrWhenNotFound) {
    headless::unset_env("PATH");
    EXPECT_EQ(find_home_directory("vel"), std::nullopt);
    headless::set_env("PATH", "C:\\bin");
    EXPECT_EQ(find_home_directory("vel"), std::nullopt);
}
