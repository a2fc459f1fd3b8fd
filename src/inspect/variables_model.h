// The variables pane's rows: every variable of the selected frame, a stem
// as one row that opens into its tails, fetched a page at a time, and the
// values that changed since the last stop. The model knows nothing of the
// window or the link: it says which commands to send (`vars ...`) and takes
// the `varlist` answers.
#pragma once

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
    // stems that were open stay open. Returns the command to send.
    std::string ask(std::int64_t frame, const std::string& frame_key);

    // A varlist answer. An answer for another frame, or for a stem that is
    // no longer open, is dropped.
    void take(const lists::VarList& list);
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
    struct Memory {
        unsigned stop = 0;
        bool seen = false; // listed at an earlier stop
        std::map<std::string, std::optional<std::string>> before, now;
    };

    struct Place {
        std::size_t entry = 0;
        std::optional<std::int64_t> tail; // a tail of that entry's stem
    };
    Place place(std::size_t index) const;
    void reindex(); // open_at_ after entries_ or open_ changed
    const lists::Variable* tail_at(const OpenStem& stem, std::int64_t at) const;
    bool changed(const std::string& key, const std::optional<std::string>& value) const;
    void remember(const std::string& key, const std::optional<std::string>& value);
    std::string page_command(const std::string& stem, std::int64_t page) const;
    std::optional<std::string> stem_memory_value(const lists::Variable& v) const;

    std::int64_t frame_ = -1;
    std::string key_;
    unsigned stops_ = 0;
    std::vector<lists::Variable> entries_;
    std::map<std::string, OpenStem> open_;
    std::vector<std::size_t> open_at_;     // the entries that are open stems, in order
    std::map<std::string, Memory> memory_; // by frame key
    std::string notice_;
};

} // namespace inspect
