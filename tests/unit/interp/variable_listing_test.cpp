// The order and the pages of a frame's variables, as the session answers
// "vars" from them.
#include "variable_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

std::vector<std::string> names(const lists::VarList& list) {
    std::vector<std::string> out;
    for (const lists::Variable& v : list.entries)
        out.push_back(v.name);
    return out;
}

struct NamedValue {
    std::string name; // exact: "X", "S.", "S.1"
    std::string value;
};

// A frame's variables as an engine walks them, counting the walks.
struct Frame {
    std::vector<NamedValue> variables;
    int walks = 0;
    bool readable = true;

    ostra::VariableWalk walk() {
        return [this](const ostra::VariableVisitor& visit, std::string& why) {
            ++walks;
            if (!readable) {
                why = "hidden";
                return false;
            }
            for (const NamedValue& v : variables)
                visit(v.name, v.value);
            return true;
        };
    }
};

ostra::VariableListing read(Frame& frame) {
    ostra::VariableListing listing(frame.walk());
    std::string why;
    EXPECT_TRUE(listing.read(why));
    return listing;
}

ostra::VariableListing listing_of(std::vector<std::string> exact_names) {
    static std::vector<std::unique_ptr<Frame>> frames; // they outlive their listings
    frames.push_back(std::make_unique<Frame>());
    for (std::string& name : exact_names)
        frames.back()->variables.push_back({name, "value of " + name});
    return read(*frames.back());
}

} // namespace

TEST(VariableListing, SpecialVariablesComeFirstThenNamesAndEachStemOnce) {
    ostra::VariableListing listing =
        listing_of({"ZETA", "S.2", "SIGL", "A", "S.", "S.1", "RESULT", "RC", "T.X", "AB", "A.1"});
    lists::VarList all = listing.page(0, -1);
    EXPECT_EQ(names(all), (std::vector<std::string>{"RC", "RESULT", "SIGL", "A", "A.", "AB", "S.",
                                                    "T.", "ZETA"}));
    EXPECT_EQ(all.total, 9);
    const lists::Variable& s = all.entries[6];
    EXPECT_TRUE(s.stem);
    EXPECT_EQ(s.tails, 2);
    EXPECT_EQ(s.value, "value of S.");
    const lists::Variable& t = all.entries[7];
    EXPECT_EQ(t.tails, 1);
    EXPECT_FALSE(t.value) << "T. was never given a default";
    EXPECT_EQ(all.entries[3].value, "value of A");
}

TEST(VariableListing, PagesAreCutToTheListAndSayWhereTheyStart) {
    ostra::VariableListing listing = listing_of({"A", "B", "C", "D", "E"});
    lists::VarList page = listing.page(1, 2);
    EXPECT_EQ(names(page), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(page.from, 1);
    EXPECT_EQ(page.total, 5);
    EXPECT_EQ(names(listing.page(3, 100)), (std::vector<std::string>{"D", "E"}));
    lists::VarList past = listing.page(9, 2);
    EXPECT_TRUE(past.entries.empty());
    EXPECT_EQ(past.from, 5);
    EXPECT_TRUE(listing.page(0, 0).entries.empty());
}

TEST(VariableListing, TailsAreNumbersByValueThenTheRestByTheirBytes) {
    ostra::VariableListing listing =
        listing_of({"T.10", "T.b", "T.2", "T.-3", "T.1", "T.01", "T.A", "T.-10", "T.1.5",
                    "T.123456789012345678901234567890", "T.99999999999999999999", "T.",
                    "T.-99999999999999999999"});
    lists::VarList tails = listing.stem_page("T.", 0, -1);
    EXPECT_EQ(names(tails),
              (std::vector<std::string>{"-99999999999999999999", "-10", "-3", "01", "1", "2", "10",
                                        "99999999999999999999", "123456789012345678901234567890",
                                        "1.5", "A", "b"}));
    EXPECT_EQ(tails.stem, "T.");
    EXPECT_EQ(tails.entries[1].value, "value of T.-10");
    EXPECT_EQ(names(listing.stem_page("T.", 4, 2)), (std::vector<std::string>{"1", "2"}));
    lists::VarList none = listing.stem_page("U.", 0, 10);
    EXPECT_EQ(none.total, 0);
    EXPECT_EQ(none.stem, "U.");
}

TEST(VariableListing, TheTailOrderIsAStrictOrder) {
    std::vector<std::string> tails = {"", "0", "-0", "00", "1", "-1", "A", "-", "10", "9", "a"};
    for (const std::string& a : tails) {
        EXPECT_FALSE(ostra::tail_before(a, a)) << a;
        for (const std::string& b : tails) {
            if (a == b) continue;
            EXPECT_NE(ostra::tail_before(a, b), ostra::tail_before(b, a)) << a << " " << b;
            for (const std::string& c : tails) {
                if (ostra::tail_before(a, b) && ostra::tail_before(b, c)) {
                    EXPECT_TRUE(ostra::tail_before(a, c)) << a << " " << b << " " << c;
                }
            }
        }
    }
}

TEST(VariableListing, TailsAreWalkedForOnlyWhenAStemIsOpenedAndThenKept) {
    Frame frame;
    frame.variables = {{"S.2", "two"}, {"X", "x"}, {"S.1", "one"}, {"R.1", "r"}, {"S.10", "ten"}};
    ostra::VariableListing listing = read(frame);
    lists::VarList all = listing.page(0, -1);
    EXPECT_EQ(names(all), (std::vector<std::string>{"R.", "S.", "X"}));
    EXPECT_EQ(all.entries[1].tails, 3) << "S. counted from tails apart";
    EXPECT_EQ(all.entries[0].tails, 1);
    EXPECT_EQ(frame.walks, 1);
    lists::VarList tails = listing.stem_page("S.", 0, -1);
    EXPECT_EQ(names(tails), (std::vector<std::string>{"1", "2", "10"}));
    EXPECT_EQ(tails.entries[2].value, "ten");
    EXPECT_EQ(tails.total, 3);
    EXPECT_EQ(frame.walks, 2);
    EXPECT_EQ(names(listing.stem_page("S.", 1, 1)), std::vector<std::string>{"2"});
    EXPECT_EQ(names(listing.stem_page("R.", 0, -1)), std::vector<std::string>{"1"});
    EXPECT_EQ(frame.walks, 3) << "each stem walked for once";

    ostra::VariableListing at_once(frame.walk());
    std::string why;
    ASSERT_TRUE(at_once.read(why, "S."));
    EXPECT_EQ(names(at_once.stem_page("S.", 0, 2)), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(frame.walks, 4) << "the tails asked for with the frame came with its walk";

    frame.readable = false;
    ostra::VariableListing hidden(frame.walk());
    EXPECT_FALSE(hidden.read(why));
    EXPECT_EQ(why, "hidden");
}

TEST(VariableListing, AMillionTailsAreOrderedOnceAndPagedAnywhere) {
    Frame frame;
    for (int k = 1000000; k >= 1; --k)
        frame.variables.push_back({"BIG." + std::to_string(k), std::to_string(2 * k)});
    ostra::VariableListing listing = read(frame);
    EXPECT_EQ(listing.page(0, -1).entries.at(0).tails, 1000000);
    lists::VarList last = listing.stem_page("BIG.", 999998, 10);
    EXPECT_EQ(names(last), (std::vector<std::string>{"999999", "1000000"}));
    EXPECT_EQ(last.entries[1].value, "2000000");
    EXPECT_EQ(names(listing.stem_page("BIG.", 9, 1)), std::vector<std::string>{"10"});
}
