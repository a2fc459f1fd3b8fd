// Macro paths from Wine, and the routine files a macro calls.
#include "program.h"
#include "routine_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class RoutineFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("interp-files-" + std::to_string(getpid()));
        fs::create_directories(root / "macros");
        fs::create_directories(root / "prefix" / "dosdevices");
        fs::create_directories(root / "cdrive" / "users");
        fs::create_directory_symlink(root / "cdrive", root / "prefix" / "dosdevices" / "c:");
        touch(root / "macros" / "main.rexx");
        touch(root / "macros" / "util.rex");
        touch(root / "macros" / "UPPER.cmd");
        touch(root / "cdrive" / "users" / "m.rexx");
        setenv("WINEPREFIX", (root / "prefix").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("WINEPREFIX");
        fs::remove_all(root);
    }
    static void touch(const fs::path& p) { std::ofstream(p) << "say 1\n"; }
    std::string real(const fs::path& p) const { return fs::canonical(p).string(); }
    fs::path root;
};

std::string windows_form(const std::string& unix_path) {
    std::string w = "Z:" + unix_path;
    for (char& c : w)
        if (c == '/') c = '\\';
    return w;
}

} // namespace

TEST_F(RoutineFiles, WindowsPathsAreMappedThroughThePrefixDrives) {
    const std::string main = real(root / "macros" / "main.rexx");
    EXPECT_EQ(regina::real_path_of(windows_form(main)), main) << "Z: is the root";
    EXPECT_EQ(regina::real_path_of("C:\\users\\m.rexx"), real(root / "cdrive/users/m.rexx"));
    EXPECT_EQ(regina::real_path_of("c:/users/m.rexx"), real(root / "cdrive/users/m.rexx"));
    EXPECT_EQ(regina::real_path_of(main), main);
    EXPECT_EQ(regina::real_path_of("D:\\nowhere.rexx"), "D:\\nowhere.rexx") << "left as it is";
}

TEST_F(RoutineFiles, RoutinesAreFoundByTheirNameAsWrittenOrInLowerCase) {
    const std::vector<std::string> folders{(root / "nowhere").string() + "/",
                                           (root / "macros").string() + "/"};
    EXPECT_EQ(regina::find_routine_file("UTIL", folders), real(root / "macros/util.rex"));
    EXPECT_EQ(regina::find_routine_file("UPPER", folders), real(root / "macros/UPPER.cmd"));
    EXPECT_EQ(regina::find_routine_file("MISSING", folders), "");
    EXPECT_EQ(regina::find_routine_file("../macros/util", folders), "") << "names, not paths";
}

TEST_F(RoutineFiles, ARoutineFileIsShownInTheFormOfTheFileBesideIt) {
    std::deque<regina::LoadedFile> files(1);
    files[0].path = "Z:\\x\\macros\\main.rexx";
    files[0].real = real(root / "macros" / "main.rexx");
    const std::string util = real(root / "macros" / "util.rex");
    EXPECT_EQ(regina::shown_path(util, files), "Z:\\x\\macros\\util.rex");
    EXPECT_EQ(regina::shown_path("/elsewhere/r.rexx", files), "/elsewhere/r.rexx");
}
