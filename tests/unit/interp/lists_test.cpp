// The list messages of the link, written and read back: the wire form the
// interpreters, vel and the DAP adapter share, and what the readers refuse.
#include "framelist.h"
#include "varchanges.h"
#include "varlist.h"

#include <gtest/gtest.h>

namespace {

lists::VarList sample_page() {
    lists::VarList list;
    list.frame = 2;
    list.total = 7;
    list.from = 3;
    list.entries.push_back({"RC", "0", false, 0});
    list.entries.push_back({"SQUARES.", "0", true, 1000000});
    list.entries.push_back({"T.", std::nullopt, true, 3});
    list.entries.push_back({"X", std::string("a\0\r\n\xff|<5>", 9), false, 0});
    return list;
}

} // namespace

TEST(LinkLists, AVarlistPageHasTheDocumentedFormAndReadsBack) {
    const std::string body = lists::encode_varlist(sample_page());
    EXPECT_EQ(body, std::string("2 7 3 4\n"
                                "v 2 1\nRC\n0\n"
                                "s 8 1 1000000\nSQUARES.\n0\n"
                                "s 2 - 3\nT.\n\n"
                                "v 1 9\nX\na\0\r\n\xff|<5>\n",
                                74));
    std::optional<lists::VarList> back = lists::decode_varlist(body);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->frame, 2);
    EXPECT_EQ(back->total, 7);
    EXPECT_EQ(back->from, 3);
    ASSERT_EQ(back->entries.size(), 4u);
    EXPECT_EQ(back->entries[1].tails, 1000000);
    EXPECT_TRUE(back->entries[1].stem);
    EXPECT_EQ(back->entries[1].value, "0");
    EXPECT_FALSE(back->entries[2].value);
    EXPECT_EQ(back->entries[3].value, std::string("a\0\r\n\xff|<5>", 9));
    EXPECT_EQ(back->failure, lists::VarFailure::none);
}

TEST(LinkLists, StemPagesAndFailuresReadBack) {
    lists::VarList tails;
    tails.stem = "S.";
    tails.total = 1;
    tails.entries.push_back({std::string("\n\0", 2), "v", false, 0});
    std::optional<lists::VarList> back = lists::decode_varlist(lists::encode_varlist(tails));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->stem, "S.");
    EXPECT_EQ(back->entries.at(0).name, std::string("\n\0", 2));

    for (lists::VarFailure f :
         {lists::VarFailure::gone, lists::VarFailure::hidden, lists::VarFailure::bad}) {
        lists::VarList failed;
        failed.frame = -1;
        failed.failure = f;
        failed.reason = "why, with a\nline feed";
        const std::string body = lists::encode_varlist(failed);
        EXPECT_EQ(body, std::string("-1 - ") + lists::failure_word(f) + "\nwhy, with a\nline feed");
        back = lists::decode_varlist(body);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->failure, f);
        EXPECT_EQ(back->frame, -1);
        EXPECT_EQ(back->reason, failed.reason);
    }
}

TEST(LinkLists, AVarlistReaderRefusesEveryCutAndEveryLie) {
    const std::string body = lists::encode_varlist(sample_page());
    for (std::size_t cut = 0; cut < body.size(); ++cut)
        EXPECT_FALSE(lists::decode_varlist(body.substr(0, cut))) << "cut at " << cut;
    for (const char* bad : {
             "0 1 0 1\nv 1 1\nX\n1\nextra",      // bytes after the last entry
             "0 1 0 2\nv 1 1\nX\n1\n",           // fewer entries than counted
             "0 1 1 1\nv 1 1\nX\n1\n",           // a page past its total
             "0 1 0 1\nq 1 1\nX\n1\n",           // no such kind
             "0 1 0 1\nv 1 -\nX\n\n",            // only a stem may lack a value
             "0 1 0 1\nv -1 1\nX\n1\n",          // a negative length
             "0 1 0 1\nv 99999999999 1\nX\n1\n", // longer than the body
             "0 1 0 1\nv 1 1\nXY1\n",            // separators where the lengths end
             "0 1 0 1 S\nv 1 1\nX\n1\n",         // a stem name without its full stop
             "0 1 0 999999999999\n",             // a count no body could hold
             "0 - lost\nwhy",                    // no such reason
             "x 0 0 0\n",
             "0  0 0 0\n",
             "-0 - \n",
             "1234567890123456789 0 0 0\n",
         })
        EXPECT_FALSE(lists::decode_varlist(bad)) << bad;
    EXPECT_TRUE(lists::decode_varlist("0 0 0 0\n")) << "an empty frame";
}

TEST(LinkLists, AFramelistHasTheDocumentedFormReadsBackAndRefusesCuts) {
    lists::FrameList list;
    list.selected = 1;
    list.frames.push_back({"f", 0, 5, 4});
    list.frames.push_back({"my util", 1, 2, 12});
    const std::string body = lists::encode_framelist(list);
    EXPECT_EQ(body, "2 1\n0 5 4 1\nf\n1 2 12 7\nmy util\n");
    std::optional<lists::FrameList> back = lists::decode_framelist(body);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->selected, 1);
    ASSERT_EQ(back->frames.size(), 2u);
    EXPECT_EQ(back->frames[1].routine, "my util");
    EXPECT_EQ(back->frames[1].file, 1);
    EXPECT_EQ(back->frames[1].line, 2);
    EXPECT_EQ(back->frames[1].displayed, 12);
    for (std::size_t cut = 0; cut < body.size(); ++cut)
        EXPECT_FALSE(lists::decode_framelist(body.substr(0, cut))) << "cut at " << cut;
    for (const char* bad : {"1 1\n0 5 4 1\nf\n", "0 1\n", "2 0\n0 5 4 1\nf\n", "1 0\n0 5 4 2\nf\n",
                            "1 0\n0 5 4 1\nf\nx", "1 0\n0 -5 4 1\nf\n", "99999999 0\n"})
        EXPECT_FALSE(lists::decode_framelist(bad)) << bad;
    EXPECT_TRUE(lists::decode_framelist("0 0\n")) << "no macro running";
}

TEST(VarChangesCodec, ChangesAndWholeListsTravelAndBodiesThatDoNotFitAreRefused) {
    lists::VarChanges c;
    c.frame = 2;
    c.generation = 7;
    c.base = 6;
    c.total = 3;
    c.set = {{"A\nB", std::string("x\0y", 3), false, 0}, {"S.", std::nullopt, true, 12}};
    c.dropped = {"GONE", ""};
    const std::string body = lists::encode_varchanges(c);
    std::optional<lists::VarChanges> back = lists::decode_varchanges(body);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->generation, 7);
    EXPECT_EQ(back->base, 6);
    EXPECT_EQ(back->total, 3);
    ASSERT_EQ(back->set.size(), 2u);
    EXPECT_EQ(back->set[0].name, "A\nB");
    EXPECT_EQ(back->set[0].value, std::string("x\0y", 3));
    EXPECT_TRUE(back->set[1].stem);
    EXPECT_FALSE(back->set[1].value);
    EXPECT_EQ(back->set[1].tails, 12);
    EXPECT_EQ(back->dropped, (std::vector<std::string>{"GONE", ""}));

    for (std::size_t cut = 0; cut < body.size(); ++cut)
        EXPECT_FALSE(lists::decode_varchanges(body.substr(0, cut))) << cut;
    EXPECT_FALSE(lists::decode_varchanges(body + "x"));
    // A whole list (base 0) has no dropped names and all its entries.
    EXPECT_FALSE(lists::decode_varchanges("0 1 0 2 1 0\nv 1 1\nA\n1\n"));
    EXPECT_FALSE(lists::decode_varchanges("0 1 0 0 0 1\n1\nA\n"));
    EXPECT_TRUE(lists::decode_varchanges("0 1 0 1 1 0\nv 1 1\nA\n1\n"));
    // Counts the body cannot hold.
    EXPECT_FALSE(lists::decode_varchanges("0 1 1 9 999999 0\n"));

    lists::VarChanges failed;
    failed.frame = 4;
    failed.failure = lists::VarFailure::gone;
    failed.reason = "there is no frame 4";
    back = lists::decode_varchanges(lists::encode_varchanges(failed));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->failure, lists::VarFailure::gone);
    EXPECT_EQ(back->reason, "there is no frame 4");
}
