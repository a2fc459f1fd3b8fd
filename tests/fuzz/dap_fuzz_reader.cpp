// The DAP reader fed arbitrary byte streams cut at arbitrary points: the
// messages and problems it hands out must not depend on the cutting, and
// every message must be a JSON object that writes out again.
#include "dap_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> run(const std::uint8_t* data, std::size_t size, const std::uint8_t* cuts,
                             std::size_t ncuts) {
    dap::DapReader reader;
    std::vector<std::string> seen;
    std::size_t at = 0, c = 0;
    while (at < size) {
        std::size_t piece = ncuts ? 1 + cuts[c++ % ncuts] % 64 : size;
        piece = std::min(piece, size - at);
        reader.push(std::string_view(reinterpret_cast<const char*>(data) + at, piece));
        at += piece;
        while (std::optional<dap::Inbound> in = reader.next()) {
            if (in->kind == dap::Inbound::Kind::problem) {
                seen.push_back("problem " + in->problem);
            } else {
                if (!in->message.is_object()) std::abort();
                std::string framed = dap::frame_of(in->message);
                if (framed.rfind("Content-Length: ", 0) != 0) std::abort();
                seen.push_back(
                    in->message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
            }
        }
    }
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first bytes choose the cutting, the rest is the stream.
    std::size_t ncuts = size ? data[0] % 8 : 0;
    if (size < 1 + ncuts) return 0;
    const std::uint8_t* cuts = data + 1;
    const std::uint8_t* stream = cuts + ncuts;
    const std::size_t length = size - 1 - ncuts;
    if (run(stream, length, nullptr, 0) != run(stream, length, cuts, ncuts)) std::abort();
    return 0;
}
