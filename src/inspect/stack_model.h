// The call stack pane's rows, from the `framelist` answer: one per frame,
// innermost first, the selected one marked; and what selecting another
// frame sends (the `up` and `down` commands, which the interpreter answers
// with stop-up or stop-at as when typed).
#pragma once

#include "framelist.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace inspect {

class StackModel {
  public:
    // The command that asks for the stack.
    static std::string ask() { return "frames"; }
    void take(const lists::FrameList& list);
    void unavailable(const std::string& line);
    void clear();

    const std::string& notice() const { return notice_; }
    std::size_t row_count() const { return list_.frames.size(); }
    const lists::FrameEntry& frame(std::size_t index) const { return list_.frames[index]; }
    std::int64_t selected() const { return list_.selected; }

    // A name for the frame that stays the same across stops while the
    // frame lives: its routine and its depth counted from the outermost.
    std::string frame_key(std::size_t index) const;

    // "> ROUTINE  file NAME line N" (the file's name from `file_name`, given
    // the frame's file index), cut with dots at `width`.
    std::string row_text(std::size_t index, std::size_t width, const std::string& file_name) const;

    // The commands that select the frame at `index` ("up" or "down", once
    // for each frame between), empty when it is selected already. The
    // selection is taken as done: the next framelist confirms it.
    std::vector<std::string> select(std::size_t index);

  private:
    lists::FrameList list_;
    std::string notice_;
};

} // namespace inspect
