// The hover tip: what it shows, where, and the questions waiting for answers.
#pragma once

#include "platform/draw.h"
#include "watch/request_queue.h"
#include "watch/tip_text.h"

#include <cstdint>
#include <string>

struct TipState {
    // The symbol or selected text under the pointer (255 characters at
    // most); empty when no tip is wanted.
    std::string expression;
    int mode = TIP_SYMBOL;
    // The displayed line the expression came from (a pin made from the tip
    // belongs to it); -1 until the pointer first rests on a line.
    std::int32_t line = -1;
    std::string text; // what the tip window shows, 511 characters at most
    // What the shown tip is the value of. The pointer may have moved on to
    // another candidate since, and a pin made from the tip must pin what it
    // shows.
    std::string shown_expression;
    int shown_mode = TIP_SYMBOL;
    std::int32_t shown_line = -1;
    int x = 0; // where the tip's top-left corner goes, screen pixels
    int y = 0;
    plat_window window = 0; // made on first use, then only shown and hidden
    // Shared by tips, pin refreshes and pin edits.
    RequestQueue requests;
};

extern TipState g_tip;

// Sends one evaluation question and records who asked it.
void vel_tip_probe(const std::string& expression, int mode, const TipContext& context,
                   TipRequest request);

// The text of a displayed line from character `start` to `end` inclusive,
// cut to the line (its line end left out), on one line.
std::string selected_text_on_line(std::int32_t line, std::int32_t start, std::int32_t end);

// Shows the tip window with the text at the tip position.
void tip_window_show(const std::string& text);

// The size a tip or pin window needs for its text.
void tip_window_size_for(const std::string& text, int& width, int& height);

// Paints the picture tips and pins share: the pin icon in a white strip on
// the left, the text in a framed box on the right.
void tip_picture_paint(plat_window window, int width, int height, const std::string& text);

// The left strip of a tip or pin holds the pin icon.
constexpr int TIP_ICON_STRIP_WIDTH = 18;

// A left press on the tip: on the icon it becomes a pin.
void tip_window_pressed(int x);
