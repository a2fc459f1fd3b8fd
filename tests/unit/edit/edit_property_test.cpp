// Random edits of random multi-file sources: the invariants hold after every
// step, Undo of everything gives back the original text, Redo of everything
// the edited text.
#include "edit_ops_driver.h"
#include "test_support.h"

#include <random>

namespace {

class EditProperties : public VelTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(EditProperties, UndoAllRestoresAndRedoAllRepeats) {
    std::mt19937 random(GetParam());
    const int files = 1 + static_cast<int>(random() % 3);
    const int lines = 1 + static_cast<int>(random() % 6);
    edit_driver::make_source(files, lines, GetParam());
    edit_begin();
    const std::vector<std::string> original = edit_driver::shown();
    for (int step = 0; step < 200; ++step) {
        edit_driver::act(static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()));
        const std::string why = edit_driver::broken();
        ASSERT_EQ(why, "") << "after step " << step;
    }
    edit_driver::undo_all(false); // whatever was undone comes back first
    const std::vector<std::string> edited = edit_driver::shown();
    edit_driver::undo_all(true);
    EXPECT_EQ(edit_driver::shown(), original);
    EXPECT_EQ(edit_driver::broken(), "");
    edit_driver::undo_all(false);
    EXPECT_EQ(edit_driver::shown(), edited);
    EXPECT_EQ(edit_driver::broken(), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditProperties, ::testing::Range(1u, 41u));

} // namespace
