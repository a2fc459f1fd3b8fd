// The title, pointer and toolbar follow the state in one call.
#include "display/mouse/pointer.h"
#include "display/window/refresh.h"
#include "display_fixture.h"
#include "link/launch.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "source/source.h"
#include "source_given.h"

namespace {

class DisplayState : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        headless::set_host("devbox", {0x0100007F});
        g_link.run_vector = {"vel", "demo.rexx"};
        given_source(numbered_lines(40));
        g_panes.command.lines = {"% "};
    }
};

} // namespace

TEST_F(DisplayState, PointerShowsRunningHaltedAndStopped) {
    serve("|running|");
    EXPECT_EQ(g_pointer.shown, POINTER_BUSY);
    // The busy shape is not what the window procedure puts back.
    EXPECT_NE(g_pointer.remembered, POINTER_BUSY);
    serve("|halt-at|3 main");
    EXPECT_EQ(g_pointer.shown, POINTER_INPUT);
    EXPECT_EQ(g_pointer.remembered, POINTER_INPUT);
    serve("|stop-at|4 main");
    EXPECT_EQ(g_pointer.shown, POINTER_ARROW);
    EXPECT_EQ(g_pointer.remembered, POINTER_ARROW);
}

TEST_F(DisplayState, TitleIsPutUpOnlyWhenItChanges) {
    serve("|stop-at|4 main");
    EXPECT_EQ(headless::main_window().title, "vel @ devbox: stopped in main ---- file: demo.rexx");
    headless::main_window().title = "someone else's";
    display_state_due();
    display_refresh();
    EXPECT_EQ(headless::main_window().title, "someone else's");
    serve("|stop-at|6 sub");
    EXPECT_EQ(headless::main_window().title, "vel @ devbox: stopped in sub ---- file: demo.rexx");
}

TEST_F(DisplayState, ClosingTheLinkShowsTheWaitingTitleAndTheArrow) {
    g_link.connected = true;
    serve("|stop-at|4 main");
    serve("|running|");
    close_interpreter();
    display_refresh();
    EXPECT_EQ(headless::main_window().title, "vel @ devbox: waiting user input");
    EXPECT_EQ(g_pointer.shown, POINTER_ARROW);
    EXPECT_FALSE(displayed_source().macro_running);
    // The next stop puts the routine back, although it is the same one.
    g_link.connected = true;
    serve("|stop-at|4 main");
    EXPECT_EQ(headless::main_window().title, "vel @ devbox: stopped in main ---- file: demo.rexx");
}
