#include "runtime/path.h"

#include "fake_disk.h"

#include <string>

namespace {

using headless::fake_fs_add_dir;
using headless::fake_fs_add_file;
using headless::fake_fs_add_link;
using headless::fake_fs_deny;

class Query : public FakeDisk {
  protected:
    void SetUp() override {
        FakeDisk::SetUp();
        headless::fake_fs_set_current_dir(u"D:\\w");
        fake_fs_add_file("D:\\w\\a.rex");
        fake_fs_add_dir("D:\\w\\sub");
    }
};

TEST_F(Query, MissingTellsFilesAndFoldersFromNothing) {
    EXPECT_EQ(path_missing("D:\\w\\a.rex"), 0);
    EXPECT_EQ(path_missing("d:/W/A.REX"), 0);
    EXPECT_EQ(path_missing("a.rex"), 0);
    EXPECT_EQ(path_missing("D:/w/sub"), 0);
    EXPECT_EQ(path_missing("D:"), 0);
    EXPECT_EQ(path_missing("D:/w/b.rex"), 1);
    EXPECT_EQ(path_missing("Q:/a.rex"), 1);
}

TEST_F(Query, MissingNamesWithForbiddenCharactersGiveTwo) {
    for (const char* name : {"x\"y", "x*y", "x<y", "x>y", "x?y", "x|y", "x\ty", "x\x1fy"}) {
        EXPECT_EQ(path_missing(std::string("D:/w/") + name), 2) << name;
    }
    EXPECT_EQ(path_missing(std::string("D:/w/x\0y", 8)), 2);
    // Allowed elsewhere in names, or only a problem when nothing is there.
    for (const char* name : {"x y", "x:y", "x'y", "x\x7fy", "x\xe9y"}) {
        EXPECT_EQ(path_missing(std::string("D:/w/") + name), 1) << name;
    }
    fake_fs_add_file("D:\\w\\odd*name");
    EXPECT_EQ(path_missing("D:/w/odd*name"), 0);
}

TEST_F(Query, LongPathAndDevicePrefixesAreNotForbiddenCharacters) {
    EXPECT_EQ(path_missing("\\\\?\\D:\\w\\a.rex"), 0);
    EXPECT_EQ(path_missing("\\\\?\\D:\\w\\b.rex"), 1);
    EXPECT_EQ(path_missing("\\\\.\\D:\\w\\b.rex"), 1);
    EXPECT_EQ(path_missing("\\\\?\\D:\\w\\b?.rex"), 2);
    // Only the prefix with backslashes is passed over.
    EXPECT_EQ(path_missing("//?/D:/w/b.rex"), 2);
    EXPECT_EQ(path_missing("\\\\?"), 2);
}

// A denied file exists to the wide interface, while stat() fails on it, so
// which of the two a path goes through shows in the answer.
TEST_F(Query, DeniedFilesExistOnlyThroughTheWideInterface) {
    const std::string short_name = "D:\\w\\" + std::string(255, 's');
    const std::string long_name = "D:\\w\\" + std::string(256, 'l');
    fake_fs_deny(short_name);
    fake_fs_deny(long_name);
    fake_fs_deny("D:\\w\\a.rex");
    EXPECT_EQ(path_missing(short_name), 1);
    EXPECT_EQ(path_missing(long_name), 0);
    EXPECT_EQ(path_missing(long_name + "\\..\\a.rex"), 0);
    EXPECT_EQ(path_missing("D:\\w\\a.rex"), 1);
    EXPECT_EQ(path_missing("\\\\?\\D:\\w\\a.rex"), 0);
}

TEST_F(Query, NotDirectory) {
    EXPECT_EQ(path_not_directory("D:\\w\\sub"), 0);
    EXPECT_EQ(path_not_directory("sub"), 0);
    EXPECT_EQ(path_not_directory("D:\\w\\sub\\"), 0);
    EXPECT_EQ(path_not_directory("D:\\w\\a.rex"), 1);
    EXPECT_EQ(path_not_directory("D:\\w\\none"), 1);
    EXPECT_EQ(path_not_directory("\\\\?\\D:\\w\\sub"), 0);
    EXPECT_EQ(path_not_directory("\\\\?\\D:\\w\\a.rex"), 1);
}

TEST_F(Query, BareDrivesAreTheirRoots) {
    EXPECT_EQ(path_not_directory("D:"), 0);
    EXPECT_EQ(path_not_directory("d:"), 0);
    EXPECT_EQ(path_not_directory("D:/"), 0);
    EXPECT_EQ(path_not_directory("Q:"), 1);
}

TEST_F(Query, NotDirectoryFollowsLinks) {
    fake_fs_add_dir("E:\\target");
    fake_fs_add_file("E:\\file");
    fake_fs_add_link("D:\\w\\to_dir", "E:\\target");
    fake_fs_add_link("D:\\w\\to_file", "E:\\file");
    fake_fs_add_link("D:\\w\\dangling", "E:\\gone");
    fake_fs_add_link("D:\\w\\chain", "D:\\w\\to_dir");
    fake_fs_add_link("D:\\w\\loop", "D:\\w\\loop");
    EXPECT_EQ(path_not_directory("D:\\w\\to_dir"), 0);
    EXPECT_EQ(path_not_directory("D:\\w\\chain"), 0);
    EXPECT_EQ(path_not_directory("D:\\w\\to_file"), 1);
    EXPECT_EQ(path_not_directory("D:\\w\\dangling"), 1);
    EXPECT_EQ(path_not_directory("D:\\w\\loop"), 1);
    // Through the wide interface the link's target is what gets asked.
    const std::string long_link = "D:\\w\\" + std::string(300, 'k');
    fake_fs_add_link(long_link, "E:\\target");
    EXPECT_EQ(path_not_directory(long_link), 0);
    EXPECT_EQ(path_missing(long_link), 0);
}

TEST_F(Query, CurrentDirectory) {
    headless::fake_fs_set_current_dir(u"D:\\w");
    EXPECT_EQ(path_current_dir(), "D:\\w");
    headless::fake_fs_set_current_dir(u"C:\\Caf\u00e9\\\u20ac\\\u0416");
    EXPECT_EQ(path_current_dir(), "C:\\Caf\xe9\\\x80\\?");
    headless::fake_fs_set_current_dir(u"");
    EXPECT_EQ(path_current_dir(), std::nullopt);
    const std::u16string longest = u"C:\\" + std::u16string(32763, u'd');
    headless::fake_fs_set_current_dir(longest);
    EXPECT_EQ(path_current_dir()->size(), 32766u);
    headless::fake_fs_set_current_dir(longest + u"d");
    EXPECT_EQ(path_current_dir(), std::nullopt);
}

TEST(PathSlashes, TurnEveryOneOfAKindInPlace) {
    std::string text = "a\\b/c\\\\d";
    path_slashes(text);
    EXPECT_EQ(text, "a/b/c//d");
    path_backslashes(text);
    EXPECT_EQ(text, "a\\b\\c\\\\d");
    char bytes[] = "x/y/z";
    path_backslashes(bytes, 3); // only the first three bytes
    EXPECT_STREQ(bytes, "x\\y/z");
}

} // namespace
