// The headless platform without the fake: the Linux file system seen as
// drive C:, so the path rules meet real folders, links and descriptors.
#include "platform/fs.h"
#include "platform/headless/headless.h"
#include "runtime/error_text.h"
#include "runtime/path.h"
#include "runtime/read_lines.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// The C: form of a Linux path, with backslashes.
std::string windows_form(const fs::path& p) {
    std::string text = "C:" + p.string();
    path_backslashes(text);
    return text;
}

class HostDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::reset();
        std::string name = (fs::temp_directory_path() / "vel-host-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        root_ = name;
        fs::create_directory(root_ / "sub");
        std::ofstream(root_ / "sub" / "a.rex") << "say 1\r\nsay 2\n";
        std::ofstream(root_ / "caf\xC3\xA9.rex") << "x";
    }
    void TearDown() override {
        fs::remove_all(root_);
        headless::reset();
    }
    fs::path root_;
};

TEST_F(HostDisk, CurrentDirectoryIsOnDriveC) {
    const std::optional<std::string> dir = path_current_dir();
    ASSERT_TRUE(dir);
    EXPECT_EQ(*dir, windows_form(fs::current_path()));
}

TEST_F(HostDisk, PathsOnDriveCAreTheLinuxOnes) {
    const std::string sub = windows_form(root_ / "sub");
    EXPECT_EQ(path_missing(sub + "\\a.rex"), 0);
    EXPECT_EQ(path_missing("c:" + (root_ / "sub/a.rex").string()), 0);
    EXPECT_EQ(path_missing(sub + "\\b.rex"), 1);
    EXPECT_EQ(path_missing("D:" + (root_ / "sub/a.rex").string()), 1);
    EXPECT_EQ(path_missing("\\\\srv\\share\\a.rex"), 1);
    EXPECT_EQ(path_missing(windows_form(root_) + "\\caf\xE9.rex"), 0); // UTF-8 on disk
    EXPECT_EQ(path_not_directory(sub), 0);
    EXPECT_EQ(path_not_directory(sub + "\\a.rex"), 1);
    EXPECT_EQ(path_not_directory("C:"), 0);

    std::string expected = "c:" + (root_ / "sub/a.rex").string();
    EXPECT_EQ(path_canonical(sub + "\\..\\sub\\.\\a.rex"), "c:" + (root_ / "sub/./a.rex").string());
    EXPECT_EQ(path_canonical(sub + "\\a.rex"), expected);
    EXPECT_EQ(path_canonical(sub + "\\none\\a.rex"), std::nullopt);
}

TEST_F(HostDisk, LinksAreResolved) {
    fs::create_directory_symlink(root_ / "sub", root_ / "to_sub");
    fs::create_symlink(root_ / "sub" / "a.rex", root_ / "to_file");
    fs::create_symlink(root_ / "gone", root_ / "dangling");
    const std::string base = windows_form(root_);
    EXPECT_EQ(plat_real_path(base + "\\to_sub"),
              "\\\\?\\" + windows_form(fs::canonical(root_ / "sub")));
    EXPECT_EQ(plat_real_path(base + "\\sub"), base + "\\sub");
    EXPECT_EQ(path_not_directory(base + "\\to_sub"), 0);
    EXPECT_EQ(path_not_directory(base + "\\to_file"), 1);
    EXPECT_EQ(path_not_directory(base + "\\dangling"), 1);
    EXPECT_EQ(plat_real_path(base + "\\dangling"), std::nullopt);
    EXPECT_EQ(path_canonical(base + "\\to_sub\\a.rex"), "c:" + (root_ / "to_sub/a.rex").string());
}

TEST_F(HostDisk, DescriptorsReadLines) {
    const int fd = plat_fd_open_read(windows_form(root_ / "sub" / "a.rex"));
    ASSERT_GE(fd, 0);
    const std::optional<ReadLinesResult> r = read_lines(fd, 0);
    plat_fd_close(fd);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, (std::vector<std::string>{"say 1", "say 2"}));

    EXPECT_EQ(plat_fd_open_read(windows_form(root_ / "sub")), -1);
    EXPECT_EQ(plat_fd_open_read(windows_form(root_ / "none.rex")), -1);
    EXPECT_EQ(last_error_text(), "No such file or directory");
}

TEST(FakeDiskFiles, OpenWithTheirContents) {
    headless::reset();
    headless::fake_fs_enable();
    headless::fake_fs_set_current_dir(u"C:\\w");
    headless::fake_fs_add_file("C:\\w\\.velinit", "button 1\r\nbutton 2");
    headless::fake_fs_add_file("C:\\w\\secret", "x");
    headless::fake_fs_deny("C:\\w\\secret");
    const int fd = plat_fd_open_read(".velinit");
    ASSERT_GE(fd, 0);
    EXPECT_EQ(read_lines(fd, 1)->lines, std::vector<std::string>{"button 1"});
    EXPECT_EQ(read_lines(fd, 0)->lines, std::vector<std::string>{"button 2"});
    plat_fd_close(fd);
    EXPECT_EQ(plat_fd_open_read("C:\\w"), -1);
    EXPECT_EQ(plat_fd_open_read("C:\\w\\secret"), -1);
    EXPECT_EQ(plat_fd_open_read("C:\\w\\none"), -1);
    headless::reset();
}

} // namespace
