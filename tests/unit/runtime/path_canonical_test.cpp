#include "runtime/path.h"

#include "fake_disk.h"

#include <string>

namespace {

using headless::fake_fs_add_dir;
using headless::fake_fs_add_file;
using headless::fake_fs_add_link;
using headless::fake_fs_set_current_dir;

std::optional<std::string> none = std::nullopt;

// Current directory D:\w with a sub folder; drives C: and E: exist too.
class Canonical : public FakeDisk {
  protected:
    void SetUp() override {
        FakeDisk::SetUp();
        fake_fs_set_current_dir(u"D:\\w");
        fake_fs_add_dir("D:\\w\\sub");
        fake_fs_add_file("D:\\w\\sub\\a.rex");
        fake_fs_add_dir("C:\\Work");
        fake_fs_add_dir("E:\\x");
    }
};

TEST_F(Canonical, DotDotInAnAbsolutePathOnTheCurrentDrive) {
    fake_fs_set_current_dir(u"C:\\Work");
    EXPECT_EQ(path_canonical("C:\\Work\\..\\x.rex"), "c:/x.rex");
    EXPECT_EQ(path_canonical("C:\\..\\..\\Work\\..\\..\\x.rex"), "c:/x.rex");
    EXPECT_EQ(path_canonical("c:/Work/x/../y.rex"), "c:/Work/y.rex");
}

TEST_F(Canonical, RelativePathsKeepTheCurrentDirectorysDriveAsWritten) {
    EXPECT_EQ(path_canonical("./sub/a.rex"), "D:/w/sub/a.rex");
    EXPECT_EQ(path_canonical("sub\\a.rex"), "D:/w/sub/a.rex");
    EXPECT_EQ(path_canonical(".\\.\\sub//a.rex"), "D:/w/sub/a.rex");
    EXPECT_EQ(path_canonical("new.rex"), "D:/w/new.rex"); // need not exist yet
    EXPECT_EQ(path_canonical("sub"), "D:/w/sub");
    EXPECT_EQ(path_canonical("sub\\"), "D:/w/sub");
    EXPECT_EQ(path_canonical("sub/../sub/a.rex"), "D:/w/sub/a.rex");
}

TEST_F(Canonical, AMissingFolderOnTheWayGivesNothing) {
    EXPECT_EQ(path_canonical("./nosub/a.rex"), none);
    EXPECT_EQ(path_canonical("D:\\nowhere\\x\\a.rex"), none);
    // A file is no folder to hold another.
    EXPECT_EQ(path_canonical("sub/a.rex/b.rex"), none);
    EXPECT_EQ(path_canonical("sub/a.rex/"), none);
}

TEST_F(Canonical, InnerDotComponentsStay) {
    EXPECT_EQ(path_canonical("sub/./a.rex"), "D:/w/sub/./a.rex");
    EXPECT_EQ(path_canonical("./sub/./a.rex"), "D:/w/sub/./a.rex");
}

TEST_F(Canonical, DotsAloneGiveTheCurrentDirectoryOrItsParents) {
    EXPECT_EQ(path_canonical("."), "D:/w");
    EXPECT_EQ(path_canonical("./"), "D:/w");
    EXPECT_EQ(path_canonical("./."), "D:/w");
    EXPECT_EQ(path_canonical(".."), "D:");
    EXPECT_EQ(path_canonical("../E/.."), "D:");
    EXPECT_EQ(path_canonical("../../../w/sub/a.rex"), "D:/w/sub/a.rex");
    fake_fs_set_current_dir(u"D:\\w\\sub");
    EXPECT_EQ(path_canonical(".."), "D:/w");
    EXPECT_EQ(path_canonical("../sub/a.rex"), "D:/w/sub/a.rex");
}

TEST_F(Canonical, TildeIsHome) {
    headless::set_env("HOME", "C:\\Users\\me\\");
    fake_fs_add_dir("C:\\Users\\me\\notes");
    EXPECT_EQ(path_canonical("~"), "C:/Users/me/"); // as HOME has it, slashes aside
    EXPECT_EQ(path_canonical("~/notes/n.rex"), "C:/Users/me/notes/n.rex");
    EXPECT_EQ(path_canonical("~\\notes\\..\\x.rex"), "C:/Users/me/x.rex");
    EXPECT_EQ(path_canonical("~x.rex"), "D:/w/~x.rex"); // not the home form
    headless::set_env("HOME", "/home/me");
    fake_fs_add_dir("D:\\home\\me");
    EXPECT_EQ(path_canonical("~/a.rex"), "d:/home/me/a.rex");
    headless::set_env("HOME", "");
    EXPECT_EQ(path_canonical("~"), none);
    EXPECT_EQ(path_canonical("~/a.rex"), none);
}

TEST_F(Canonical, TildeWithoutHomeIsTheSystemDrive) {
    headless::fake_fs_set_system_dir("E:\\Windows\\system32");
    EXPECT_EQ(path_canonical("~"), "E:/");
    EXPECT_EQ(path_canonical("~/x/a.rex"), "E:/x/a.rex");
    headless::fake_fs_set_system_dir("");
    EXPECT_EQ(path_canonical("~"), "C:/");
}

TEST_F(Canonical, LongPathPrefixComesBackByteForByte) {
    const std::string long_form = "\\\\?\\D:\\nowhere\\..\\A//b\\";
    EXPECT_EQ(path_canonical(long_form), long_form);
    EXPECT_EQ(path_canonical(long_form + std::string(40000, 'x')),
              long_form + std::string(40000, 'x'));
    // Three bytes are no prefix: a UNC path with a server called "?".
    EXPECT_EQ(path_canonical("\\\\?"), none);
}

TEST_F(Canonical, LengthLimit) {
    const std::string head = "d:/w/";
    const std::string fits = head + std::string(kPathMax - head.size(), 'n');
    EXPECT_EQ(path_canonical(fits), fits);
    EXPECT_EQ(path_canonical(fits + "n"), none);
    // Counted after doubled slashes are gone.
    EXPECT_EQ(path_canonical("d://w/" + fits.substr(head.size())), fits);
}

TEST_F(Canonical, UncPaths) {
    fake_fs_add_dir("\\\\srv\\share\\dir");
    EXPECT_EQ(path_canonical("\\\\srv\\share\\dir\\a.rex"), "\\\\srv/share/dir/a.rex");
    EXPECT_EQ(path_canonical("\\\\srv\\share\\\\dir\\"), "\\\\srv/share/dir");
    EXPECT_EQ(path_canonical("\\\\srv\\share\\dir\\..\\b.rex"), "\\\\srv/share/b.rex");
    // ".." never leaves the share.
    EXPECT_EQ(path_canonical("\\\\srv\\share\\..\\..\\c.rex"), "\\\\srv/share/c.rex");
    EXPECT_EQ(path_canonical("\\\\srv\\other\\a.rex"), none);
    EXPECT_EQ(path_canonical("\\\\srv"), none);
    // Forward slashes do not make a UNC path: this is a rooted path.
    EXPECT_EQ(path_canonical("//srv/share/dir/a.rex"), none);
    fake_fs_add_dir("D:\\srv\\share");
    EXPECT_EQ(path_canonical("//srv/share/a.rex"), "d:/srv/share/a.rex");
}

TEST_F(Canonical, RelativeToAUncCurrentDirectory) {
    fake_fs_add_dir("\\\\srv\\share\\dir\\sub");
    fake_fs_set_current_dir(u"\\\\srv\\share\\dir");
    EXPECT_EQ(path_canonical("sub\\a.rex"), "\\\\srv/share/dir/sub/a.rex");
    EXPECT_EQ(path_canonical("..\\..\\a.rex"), "\\\\srv/share/a.rex");
    EXPECT_EQ(path_canonical("\\dir\\a.rex"), "\\\\srv/share/dir/a.rex");
}

TEST_F(Canonical, DriveLettersNamedInThePathAreLowered) {
    EXPECT_EQ(path_canonical("D:\\W\\SUB\\A.REX"), "d:/W/SUB/A.REX");
    EXPECT_EQ(path_canonical("\\w\\sub\\a.rex"), "d:/w/sub/a.rex"); // began at a root
    EXPECT_EQ(path_canonical("D:\\"), "d:");
    EXPECT_EQ(path_canonical("D:"), "d:/");
}

TEST_F(Canonical, DriveRelativeNames) {
    // On the current drive: relative to the current directory.
    EXPECT_EQ(path_canonical("D:sub\\a.rex"), "d:/w/sub/a.rex");
    EXPECT_EQ(path_canonical("d:sub\\..\\x.rex"), "d:/w/x.rex");
    EXPECT_EQ(path_canonical("D:."), "d:/w");
    // On another drive: from that drive's root.
    EXPECT_EQ(path_canonical("E:x\\a.rex"), "e:/x/a.rex");
    EXPECT_EQ(path_canonical("E:a.rex"), "e:/a.rex");
    EXPECT_EQ(path_canonical("E:."), "e:/");
    EXPECT_EQ(path_canonical("Q:a.rex"), none);
}

TEST_F(Canonical, AnotherDriveThanTheCurrentOne) {
    EXPECT_EQ(path_canonical("E:\\x\\a.rex"), "e:/x/a.rex");
    EXPECT_EQ(path_canonical("E:\\x\\..\\..\\a.rex"), "e:/a.rex");
    EXPECT_EQ(path_canonical("E:\\y\\a.rex"), none);
    EXPECT_EQ(path_canonical("C:/Work/new.rex"), "c:/Work/new.rex");
}

TEST_F(Canonical, QuoteBeforeTwoBackslashesKeepsThemAsTyped) {
    fake_fs_add_dir("D:\\w\\\"\\\\srv\\share");
    fake_fs_add_dir("D:\\w\\'\\\\srv\\share");
    fake_fs_add_dir("D:\\w\\x\\srv\\share");
    EXPECT_EQ(path_canonical("\"\\\\srv\\share\\a"), "D:/w/\"\\\\srv/share/a");
    EXPECT_EQ(path_canonical("'\\\\srv\\share\\a"), "D:/w/'\\\\srv/share/a");
    EXPECT_EQ(path_canonical("x\\\\srv\\share\\a"), "D:/w/x/srv/share/a");
}

TEST_F(Canonical, LinksAreFollowedForTheTestButNotWrittenOut) {
    fake_fs_add_dir("E:\\real");
    fake_fs_add_link("D:\\w\\lnk", "E:\\real");
    fake_fs_add_link("D:\\w\\dead", "E:\\gone");
    EXPECT_EQ(path_canonical("lnk\\a.rex"), "D:/w/lnk/a.rex");
    EXPECT_EQ(path_canonical("lnk"), "D:/w/lnk");
    EXPECT_EQ(path_canonical("dead\\a.rex"), none);
}

TEST_F(Canonical, EmptyOrUnreadableCurrentDirectory) {
    EXPECT_EQ(path_canonical(""), none);
    headless::set_env("HOME", "C:\\h");
    fake_fs_set_current_dir(u"");
    EXPECT_EQ(path_canonical("a\\\\b\\..\\c"), "a/b/../c");
    EXPECT_EQ(path_canonical("~"), "C:/h");
}

} // namespace
