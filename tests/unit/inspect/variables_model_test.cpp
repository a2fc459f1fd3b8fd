// The variables pane's model: rows in order, stems opening into tails that
// come a page at a time, values on one row, and the values that changed
// since the last stop.
#include "inspect/variables_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace inspect;

namespace {

lists::Variable var(std::string name, std::string value) {
    return {std::move(name), std::move(value), false, 0};
}

lists::Variable stem(std::string name, std::int64_t tails,
                     std::optional<std::string> fallback = std::nullopt) {
    return {std::move(name), std::move(fallback), true, tails};
}

lists::VarList frame_list(std::int64_t frame, std::vector<lists::Variable> entries) {
    lists::VarList l;
    l.frame = frame;
    l.total = std::int64_t(entries.size());
    l.entries = std::move(entries);
    return l;
}

// The page of tails "1".."N" of `name` starting at `from`, each valued
// "v" and the tail, as the interpreter answers "vars F NAME. FROM COUNT".
lists::VarList tail_page_of(std::int64_t frame, const std::string& name, std::int64_t total,
                            std::int64_t from, std::int64_t count) {
    lists::VarList l;
    l.frame = frame;
    l.stem = name;
    l.total = total;
    l.from = from;
    for (std::int64_t k = from; k < std::min(total, from + count); ++k)
        l.entries.push_back(var(std::to_string(k + 1), "v" + std::to_string(k + 1)));
    return l;
}

std::vector<std::string> texts(const VariablesModel& m, std::size_t width = 60) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < m.row_count(); ++i)
        out.push_back(m.row_text(i, width));
    return out;
}

} // namespace

TEST(VariablesModel, RowsPutRcResultSiglFirstThenNamesAndAStemIsOneRow) {
    VariablesModel m;
    EXPECT_EQ(m.ask(0, "main@0"), "vars 0");
    m.take(
        frame_list(0, {var("ZETA", "z"), var("SIGL", "4"), var("A", "1"), stem("SQUARES.", 3, "0"),
                       var("RC", "0"), stem("EMPTY.", 0), var("RESULT", "r")}));
    EXPECT_EQ(texts(m), (std::vector<std::string>{"RC = 0", "RESULT = r", "SIGL = 4", "A = 1",
                                                  "+ EMPTY. (0 tails)", "+ SQUARES. (3 tails) = 0",
                                                  "ZETA = z"}));
    EXPECT_EQ(m.notice(), "");
}

TEST(VariablesModel, ValuesAreOneRowWithEscapesCutAtTheWidth) {
    VariablesModel m;
    m.ask(0, "main@0");
    using namespace std::string_literals;
    m.take(frame_list(
        0, {var("LINES", "one\ntwo\0three"s), var("LONG", std::string(10'000'000, 'x'))}));
    EXPECT_EQ(m.row_text(0, 40), "LINES = one\\ntwo\\0three");
    const std::string cut = m.row_text(1, 20);
    EXPECT_EQ(cut, "LONG = xxxxxxxxxx...");
    EXPECT_EQ(m.row_text(0, 12), "LINES = o...");
}

TEST(VariablesModel, AStemOpensIntoItsTailsAndClosesAgain) {
    VariablesModel m;
    m.ask(2, "f@0");
    m.take(frame_list(2, {var("A", "1"), stem("S.", 3), var("Z", "26")}));
    EXPECT_EQ(m.toggle(0), std::nullopt) << "a plain variable does not open";
    const std::optional<std::string> asked = m.toggle(1);
    ASSERT_TRUE(asked);
    EXPECT_EQ(*asked, "vars 2 S. 0 256");
    // The rows are there at once; their text follows its page.
    EXPECT_EQ(m.row_count(), 6u);
    EXPECT_EQ(m.row_text(2, 40), "  S.... = ");
    EXPECT_FALSE(m.row(2).loaded);
    m.take(tail_page_of(2, "S.", 3, 0, 256));
    EXPECT_EQ(texts(m), (std::vector<std::string>{"A = 1", "- S. (3 tails)", "  S.1 = v1",
                                                  "  S.2 = v2", "  S.3 = v3", "Z = 26"}));
    EXPECT_TRUE(m.wanted(0, 6).empty()) << "the one page has come";
    EXPECT_EQ(m.toggle(3), std::nullopt) << "a tail's row closes its stem";
    EXPECT_EQ(texts(m), (std::vector<std::string>{"A = 1", "+ S. (3 tails)", "Z = 26"}));
}

TEST(VariablesModel, AMillionTailsOpenAtOnceAndOnlyTheVisiblePagesAreAsked) {
    VariablesModel m;
    m.ask(0, "main@0");
    m.take(frame_list(0, {var("A", "1"), stem("BIG.", 1'000'000), var("Z", "z")}));
    ASSERT_EQ(m.toggle(1), std::optional<std::string>("vars 0 BIG. 0 256"));
    EXPECT_EQ(m.row_count(), 1'000'003u);
    EXPECT_EQ(m.row_text(1'000'002, 40), "Z = z") << "the row after the tails";
    // Scrolled far down: the pages the rows need, each asked for once.
    // Rows 600,050 on are tails 600,048 on: the end of one page and the
    // start of the next.
    EXPECT_EQ(m.wanted(600'050, 40),
              (std::vector<std::string>{"vars 0 BIG. 599808 256", "vars 0 BIG. 600064 256"}));
    EXPECT_TRUE(m.wanted(600'050, 40).empty()) << "asked already";
    m.take(tail_page_of(0, "BIG.", 1'000'000, 599'808, 256));
    EXPECT_EQ(m.row_text(600'000, 40), "  BIG.599999 = v599999");
    EXPECT_FALSE(m.row(600'100).loaded) << "its page is still on its way";
    // The last page is short.
    EXPECT_EQ(m.wanted(1'000'000, 3), (std::vector<std::string>{"vars 0 BIG. 999936 256"}));
    m.take(tail_page_of(0, "BIG.", 1'000'000, 999'936, 256));
    EXPECT_EQ(m.row_text(1'000'001, 40), "  BIG.1000000 = v1000000");
}

TEST(VariablesModel, ValuesChangedSinceTheLastStopAreFlaggedPerFrame) {
    VariablesModel m;
    m.stopped();
    m.ask(0, "main@0");
    m.take(frame_list(0, {var("I", "1"), var("K", "same"), stem("S.", 1)}));
    for (std::size_t i = 0; i < m.row_count(); ++i)
        EXPECT_FALSE(m.row(i).changed) << "nothing is flagged at the first stop: " << i;

    m.stopped();
    m.ask(0, "main@0");
    m.take(frame_list(0, {var("I", "2"), var("K", "same"), var("NEW", "n"), stem("S.", 2)}));
    std::vector<bool> flags;
    for (std::size_t i = 0; i < m.row_count(); ++i)
        flags.push_back(m.row(i).changed);
    EXPECT_EQ(flags, (std::vector<bool>{true, false, true, true})) << "I, K, NEW, S.";

    // Another frame is selected at this stop: its values were never seen,
    // and going back compares with the last stop again, not with itself.
    m.ask(1, "caller@1");
    m.take(frame_list(1, {var("I", "100")}));
    EXPECT_FALSE(m.row(0).changed);
    m.ask(0, "main@0");
    m.take(frame_list(0, {var("I", "2"), var("K", "same"), var("NEW", "n"), stem("S.", 2)}));
    EXPECT_TRUE(m.row(0).changed) << "still changed at this stop";

    m.stopped();
    m.ask(0, "main@0");
    m.take(frame_list(0, {var("I", "2"), var("K", "other"), var("NEW", "n"), stem("S.", 2)}));
    flags.clear();
    for (std::size_t i = 0; i < m.row_count(); ++i)
        flags.push_back(m.row(i).changed);
    EXPECT_EQ(flags, (std::vector<bool>{false, true, false, false}));
}

TEST(VariablesModel, ChangedTailsAreFlaggedOnceTheirPageWasSeenBefore) {
    VariablesModel m;
    m.stopped();
    m.ask(0, "main@0");
    m.take(frame_list(0, {stem("S.", 2)}));
    m.toggle(0);
    lists::VarList page = tail_page_of(0, "S.", 2, 0, 256);
    m.take(page);
    m.stopped();
    EXPECT_EQ(m.ask(0, "main@0"), "vars 0");
    m.take(frame_list(0, {stem("S.", 2)}));
    EXPECT_TRUE(m.row(0).open) << "an open stem stays open at the next stop";
    EXPECT_EQ(m.wanted(0, 3), (std::vector<std::string>{"vars 0 S. 0 256"}))
        << "its tails are asked again";
    page.entries[1].value = "changed";
    m.take(page);
    EXPECT_FALSE(m.row(1).changed);
    EXPECT_TRUE(m.row(2).changed);
}

TEST(VariablesModel, StaleAndFailedAnswersNeverShowWrongRows) {
    VariablesModel m;
    m.ask(0, "f@1");
    m.take(frame_list(0, {stem("S.", 5)}));
    ASSERT_TRUE(m.toggle(0));
    m.ask(1, "main@0"); // another frame selected while the page is on its way
    m.take(tail_page_of(0, "S.", 5, 0, 256));
    m.take(frame_list(0, {var("OLD", "x")}));
    EXPECT_EQ(m.row_count(), 0u) << "answers for the frame left are dropped";
    lists::VarList hidden;
    hidden.frame = 1;
    hidden.failure = lists::VarFailure::hidden;
    hidden.reason = "the variables of main are hidden by the routine called from it";
    m.take(hidden);
    EXPECT_EQ(m.notice(), hidden.reason);
    EXPECT_EQ(m.row_count(), 0u);
    m.unavailable("not supported by this interpreter");
    EXPECT_EQ(m.notice(), "not supported by this interpreter");
    EXPECT_EQ(m.row_text(0, 40), "") << "no rows, and asking for one is harmless";
    EXPECT_EQ(m.toggle(3), std::nullopt);
}

TEST(VariablesModel, TheWholePaneCopiesUncut) {
    VariablesModel m;
    m.ask(0, "main@0");
    m.take(frame_list(0, {var("A", std::string(200, 'a')), stem("S.", 2, "d")}));
    m.toggle(1);
    m.take(tail_page_of(0, "S.", 2, 0, 256));
    EXPECT_EQ(m.all_text(),
              "A = " + std::string(200, 'a') + "\nS. (2 tails) = d\n  S.1 = v1\n  S.2 = v2\n");
}

TEST(VariablesModel, OpenStemsKeepTheirRowsAcrossAStopThatChangesThem) {
    VariablesModel m;
    m.ask(0, "main@0");
    m.take(frame_list(0, {var("A", "1"), stem("P.", 2), stem("Q.", 1), var("Z", "z")}));
    ASSERT_TRUE(m.toggle(1));
    m.take(tail_page_of(0, "P.", 2, 0, 256));
    ASSERT_TRUE(m.toggle(4)) << "Q. after P.'s two tails";
    m.take(tail_page_of(0, "Q.", 1, 0, 256));
    EXPECT_EQ(m.row_count(), 7u);

    // The next stop: P. gained a tail, Q. is gone, R. is new and closed.
    m.stopped();
    m.ask(0, "main@0");
    m.take(frame_list(0, {var("A", "2"), stem("P.", 3), stem("R.", 5), var("Z", "z")}));
    EXPECT_EQ(m.row_count(), 7u) << "A, P. and its 3 tails, R., Z";
    m.take(tail_page_of(0, "P.", 3, 0, 256));
    EXPECT_EQ(texts(m),
              (std::vector<std::string>{"A = 2", "- P. (3 tails)", "  P.1 = v1", "  P.2 = v2",
                                        "  P.3 = v3", "+ R. (5 tails)", "Z = z"}));
    EXPECT_TRUE(m.row(0).changed);
    EXPECT_FALSE(m.row(2).changed) << "P.1 kept its value";
    EXPECT_FALSE(m.row(4).changed) << "a tail never seen before is not called changed";
    EXPECT_FALSE(m.row(6).changed);
    ASSERT_TRUE(m.toggle(5));
    EXPECT_EQ(m.row_count(), 12u);
    EXPECT_EQ(m.toggle(1), std::nullopt);
    EXPECT_EQ(m.row_count(), 9u) << "P. closed, R. open";
}

namespace {

lists::VarChanges changes_of(std::int64_t generation, std::int64_t base,
                             std::vector<lists::Variable> set, std::vector<std::string> dropped,
                             std::int64_t total) {
    lists::VarChanges c;
    c.generation = generation;
    c.base = base;
    c.set = std::move(set);
    c.dropped = std::move(dropped);
    c.total = total;
    return c;
}

std::vector<bool> changed_rows(const VariablesModel& m) {
    std::vector<bool> out;
    for (std::size_t i = 0; i < m.row_count(); ++i)
        out.push_back(m.row(i).changed);
    return out;
}

} // namespace

TEST(VariablesModel, ChangesKeepTheRowsUpToDateAndMarkWhatChangedSinceTheLastStop) {
    VariablesModel m;
    m.stopped();
    EXPECT_EQ(m.ask(0, "main@0", true), "varchanges 0 0");
    EXPECT_FALSE(m.take(changes_of(1, 0, {var("A", "1"), var("B", "2"), var("C", "3")}, {}, 3)));
    EXPECT_EQ(texts(m), (std::vector<std::string>{"A = 1", "B = 2", "C = 3"}));
    EXPECT_EQ(changed_rows(m), (std::vector<bool>{false, false, false}));

    // A step: B changes, C goes, D and a stem come; the unchanged A that
    // came along is not marked.
    m.stopped();
    EXPECT_EQ(m.ask(0, "main@0", true), "varchanges 0 1");
    EXPECT_FALSE(m.take(changes_of(
        2, 1, {var("A", "1"), var("B", "two"), stem("S.", 2), var("D", "4")}, {"C", "NEVER"}, 4)));
    EXPECT_EQ(texts(m), (std::vector<std::string>{"A = 1", "B = two", "D = 4", "+ S. (2 tails)"}));
    EXPECT_EQ(changed_rows(m), (std::vector<bool>{false, true, true, true}));

    // Two answers at one stop (a value edited): both changes are marked,
    // compared with the stop before, and B set back is no longer marked.
    m.ask(0, "main@0", true);
    EXPECT_FALSE(m.take(changes_of(3, 2, {var("A", "new"), var("B", "2")}, {}, 4)));
    EXPECT_EQ(changed_rows(m), (std::vector<bool>{true, false, true, true}));

    // The next stop compares with this one's end.
    m.stopped();
    m.ask(0, "main@0", true);
    EXPECT_FALSE(m.take(changes_of(4, 3, {}, {}, 4)));
    EXPECT_EQ(changed_rows(m), (std::vector<bool>{false, false, false, false}));
}

TEST(VariablesModel, ChangesToAListNotHeldAreDroppedAndTheWholeListIsAskedFor) {
    VariablesModel m;
    m.stopped();
    m.ask(0, "main@0", true);
    m.take(changes_of(5, 0, {var("A", "1")}, {}, 1));
    m.stopped();
    EXPECT_EQ(m.ask(0, "main@0", true), "varchanges 0 5");
    EXPECT_EQ(m.take(changes_of(7, 6, {var("B", "2")}, {}, 2)), "varchanges 0 0");
    EXPECT_EQ(texts(m), (std::vector<std::string>{"A = 1"}));
    // Another frame's rows, and back: each frame keeps its own copy, and a
    // plain list leaves no generation to ask changes to.
    EXPECT_EQ(m.ask(1, "main@0", true), "varchanges 1 0");
    lists::VarChanges other = changes_of(8, 0, {var("Z", "z")}, {}, 1);
    other.frame = 1;
    m.take(other);
    EXPECT_EQ(texts(m), (std::vector<std::string>{"Z = z"}));
    EXPECT_EQ(m.ask(0, "sub@1", true), "varchanges 0 0");
    m.take(frame_list(0, {var("Q", "q")}));
    EXPECT_EQ(m.ask(0, "sub@1", true), "varchanges 0 0");
    // An answer for a frame not shown changes nothing.
    lists::VarChanges stray = changes_of(9, 0, {var("X", "x")}, {}, 1);
    stray.frame = 3;
    EXPECT_FALSE(m.take(stray));
    EXPECT_EQ(texts(m), (std::vector<std::string>{"Q = q"}));
}

TEST(VariablesModel, ChangesAskedUnderTheWrongFrameNameBuildTheRightFramesRows) {
    VariablesModel m;
    m.stopped();
    m.ask(0, "main@0", true);
    m.take(changes_of(1, 0, {var("A", "1"), var("N", "3")}, {}, 2));

    // A step into SUB: the question went out under main's name, before the
    // stack said frame 0 is now SUB. The changes are main's rows turned
    // into SUB's: they become SUB's rows, new to the pane, so unmarked.
    m.stopped();
    EXPECT_EQ(m.ask(0, "main@0", true), "varchanges 0 1");
    m.rekey("sub@1");
    EXPECT_EQ(texts(m), (std::vector<std::string>{})) << "main's rows are not shown as SUB's";
    EXPECT_FALSE(m.take(changes_of(2, 1, {var("K", "k"), var("N", "3")}, {"A"}, 2)));
    EXPECT_EQ(texts(m), (std::vector<std::string>{"K = k", "N = 3"}));
    EXPECT_EQ(changed_rows(m), (std::vector<bool>{false, false}));

    // Back in main after the return: asked under SUB's name, the changes
    // from SUB's rows give main's, compared with main's at its last stop.
    m.stopped();
    EXPECT_EQ(m.ask(0, "sub@1", true), "varchanges 0 2");
    m.rekey("main@0");
    EXPECT_FALSE(m.take(changes_of(3, 2, {var("A", "1"), var("N", "4")}, {"K"}, 2)));
    EXPECT_EQ(texts(m), (std::vector<std::string>{"A = 1", "N = 4"}));
    EXPECT_EQ(changed_rows(m), (std::vector<bool>{false, true}));
    // main's rows now carry the new generation; SUB's were left as they were.
    m.stopped();
    EXPECT_EQ(m.ask(0, "main@0", true), "varchanges 0 3");
    EXPECT_EQ(m.ask(0, "sub@1", true), "varchanges 0 2");
}

TEST(VariablesModel, RenamedChangesToRowsNotHeldAskForTheWholeList) {
    VariablesModel m;
    m.stopped();
    m.ask(0, "main@0", true);
    m.take(changes_of(4, 0, {var("A", "1")}, {}, 1));
    m.stopped();
    m.ask(0, "main@0", true);
    m.rekey("sub@1");
    EXPECT_EQ(m.take(changes_of(9, 7, {var("B", "2")}, {}, 2)), "varchanges 0 0");
    EXPECT_EQ(texts(m), (std::vector<std::string>{}));
    // A whole list after a rename is SUB's, and a plain ask forgets the rename.
    m.ask(0, "sub@1", true);
    m.rekey("other@1");
    m.ask(0, "sub@1", true);
    EXPECT_FALSE(m.take(changes_of(10, 0, {var("B", "2")}, {}, 1)));
    EXPECT_EQ(texts(m), (std::vector<std::string>{"B = 2"}));
    EXPECT_EQ(m.ask(0, "sub@1", true), "varchanges 0 10");
    EXPECT_EQ(m.ask(0, "main@0", true), "varchanges 0 4");
}
