// goto and list: finding a loaded file and scrolling the source pane to it.
#include "commands_fixture.h"
#include "display/panes/panes.h"
#include "source/source.h"
#include "source_given.h"

namespace {

class Goto : public CommandsTest {
  protected:
    void SetUp() override {
        CommandsTest::SetUp();
        given_source(std::vector<std::string>(300, "x\n"));
        given_file_map({{0, 99, 0, "c:/proj/demo.ost"},
                        {100, 159, 100, std::nullopt},
                        {160, 219, 160, "c:/lib/Foo.ost"},
                        {220, 299, 220, "d:\\other\\util.tar.ost"}});
        g_panes.source.visible_rows = 20;
        g_panes.source.top_line = 50;
    }
    static int top() { return g_panes.source.top_line; }
};

TEST_F(Goto, MainIsTheFirstEntry) {
    run("goto main");
    EXPECT_EQ(top(), 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Goto, ANameIsTheBaseNameBeforeItsFirstFullStopInAnyCase) {
    run("goto foo");
    EXPECT_EQ(top(), 160 - 5);
    g_panes.source.top_line = 0;
    run("list FOO extra words");
    EXPECT_EQ(top(), 155);
    run("goto util");
    EXPECT_EQ(top(), 215);
    run("goto DEMO");
    EXPECT_EQ(top(), 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Goto, NamesThatAreNotLoaded) {
    for (const char* line : {"goto foo.ost", "goto util.tar", "goto fo", "list lib", "goto Main2"})
        run(line);
    EXPECT_EQ(messages(),
              (Lines{"vel: function foo.ost not loaded.", "vel: function util.tar not loaded.",
                     "vel: function fo not loaded.", "vel: function lib not loaded.",
                     "vel: function Main2 not loaded."}));
    EXPECT_EQ(top(), 50);
}

TEST_F(Goto, AnEmptyFileMapHasNoMain) {
    given_file_map({});
    run("goto main");
    EXPECT_EQ(messages(), Lines{"vel: function main not loaded."});
}

TEST_F(Goto, TheTopLineNeverGoesBelowTheFirstLine) {
    given_file_changed(2, [](FileMapEntry& e) { e.first_line = 3; });
    run("goto foo");
    EXPECT_EQ(top(), 0);
}

} // namespace
