// The variables pane's rows: every variable of the selected frame, a stem
// as one row that opens into its tails, fetched a page at a time, and the
// values that changed since the last stop. The model knows nothing of the
// window or the link: it says which commands to send (`vars ...`, or
// `varchanges ...` when the interpreter offers it) and takes the `varlist`
// and `varchanges` answers.
#pragma once

#include "varchanges.h"
#include "varlist.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace inspect {

// Tails asked for at a time.
inline constexpr std::int64_t tail_page = 256;

struct VarRow {
    std::string name; // "X", a stem "S.", or for a tail the tail ("10")
    std::optional<std::string> value;
    bool stem = false;
    bool open = false;      // a stem showing its tails
    bool tail = false;      // a row under an open stem
    bool loaded = true;     // false: a tail whose page has not come yet
    bool changed = false;   // its value differs from the last stop's
    std::int64_t tails = 0; // a stem's tail count
    std::string stem_name;  // for a tail: its stem ("S.")
};

class VariablesModel {
  public:
    // The macro stopped: values listed from now on are compared with those
    // listed before this call.
    void stopped() { ++stops_; }

    // The macro stopped, or another frame was selected: the rows of `frame`
    // (0: the innermost) are asked for again. `frame_key` names the frame
    // across stops (its routine and its depth from the outermost), so that
    // its values can be compared with those it had at the last stop. The
    // stems that were open stay open. Returns the command to send: with
    // `by_changes`, one that asks only for what changed since the rows held.
    std::string ask(std::int64_t frame, const std::string& frame_key, bool by_changes = false);

    // The frame asked for is named `frame_key` after all: the question went
    // out before the stack that names it came. Changes in the answer on its
    // way are still read against the rows the question was based on; what
    // they make becomes this frame's rows.
    void rekey(const std::string& frame_key);

    // A varlist answer. An answer for another frame, or for a stem that is
    // no longer open, is dropped.
    void take(const lists::VarList& list);
    // A varchanges answer. Changes to a list other than the one held are
    // dropped, and the command that asks for the whole list comes back.
    std::optional<std::string> take(const lists::VarChanges& changes);
    // The interpreter cannot answer at all: the pane shows `line` alone.
    void unavailable(const std::string& line);

    // The one line shown instead of rows ("" when there are rows to show).
    const std::string& notice() const { return notice_; }
    std::int64_t frame() const { return frame_; }

    std::size_t row_count() const;
    VarRow row(std::size_t index) const;

    // The commands that fetch the pages of tails the rows [first,
    // first+count) need and that were not asked for yet.
    std::vector<std::string> wanted(std::size_t first, std::size_t count);

    // Opens a closed stem at the row or closes an open one (the row of a
    // tail closes its stem). Returns the command for the stem's first page
    // when one must be asked for.
    std::optional<std::string> toggle(std::size_t index);

    // The row's whole text for the pane: "NAME = value", a stem
    // "S. (3 tails) = default", a tail indented under its stem, cut with
    // dots at `width` characters, unprintable bytes as escapes.
    std::string row_text(std::size_t index, std::size_t width) const;

    // Every row as text (the whole pane copied): each tail that has come,
    // and nothing cut.
    std::string all_text() const;

    // Forget everything (the macro ended, or a new link).
    void clear();

  private:
    struct OpenStem {
        std::int64_t total = 0;
        std::map<std::int64_t, std::vector<lists::Variable>> pages; // by page number
        std::set<std::int64_t> asked;
    };
    // What a row is compared by: a variable's value, or a stem's default
    // and tail count.
    using Shown = std::optional<std::string>;
    struct Was {
        bool existed = false;
        Shown shown;
    };
    // The variables of one frame, kept across stops: a stop after a step
    // changes a few entries of them, and only those are compared.
    struct FrameRows {
        std::vector<lists::Variable> entries; // as last listed, in the pane's order
        std::int64_t generation = 0;          // the interpreter's name for them; 0: none
        unsigned stop = 0;                    // the stop they were last listed at
        bool listed = false;
        bool seen = false; // listed at an earlier stop: changes show
        // Entries changed at this stop, as they were at the last one.
        std::map<std::string, Was> before;
    };
    // The tails of the open stems, as the pages of this stop and the last
    // listed them.
    struct TailMemory {
        unsigned stop = 0;
        std::map<std::string, std::optional<std::string>> before, now;
    };

    struct Place {
        std::size_t entry = 0;
        std::optional<std::int64_t> tail; // a tail of that entry's stem
    };
    const std::vector<lists::Variable>& entries() const;
    Place place(std::size_t index) const;
    void reindex(); // open_at_ after the entries or open_ changed
    const lists::Variable* tail_at(const OpenStem& stem, std::int64_t at) const;
    FrameRows& rows_listed(); // the frame's rows, as a list for this stop comes
    void note_change(FrameRows& rows, const std::string& name, const lists::Variable* was);
    void listed(); // after the frame's rows were listed: open stems follow
    void take_whole(std::vector<lists::Variable> entries);
    std::optional<std::string> take_rebased(const lists::VarChanges& changes);
    bool entry_changed(const lists::Variable& v) const;
    bool tail_changed(const std::string& key, const std::optional<std::string>& value) const;
    void remember_tail(const std::string& key, const std::optional<std::string>& value);
    std::string page_command(const std::string& stem, std::int64_t page) const;

    std::int64_t frame_ = -1;
    std::string key_;
    // The rows the question on its way was based on, when they are another
    // frame's (rekey).
    std::optional<std::string> based_on_;
    unsigned stops_ = 0;
    std::map<std::string, FrameRows> rows_; // by frame key
    FrameRows* current_ = nullptr;          // those of key_
    bool showing_ = false;                  // current_ was listed since the frame was chosen
    std::map<std::string, OpenStem> open_;
    std::vector<std::size_t> open_at_;        // the entries that are open stems, in order
    std::map<std::string, TailMemory> tails_; // by frame key
    std::string notice_;
};

} // namespace inspect
