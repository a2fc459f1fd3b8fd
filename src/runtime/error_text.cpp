#include "runtime/error_text.h"

#include "platform/fs.h"
#include "runtime/text_convert.h"

std::string last_error_text() {
    std::u16string message = plat_last_error_message();
    // System messages end in CR LF, which would print as an empty line
    // under the message in the command pane.
    while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n')) {
        message.pop_back();
    }
    return text_from_wide(message);
}
