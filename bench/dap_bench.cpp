// The cost of ostra-dap in a step: the "next" round trip through the adapter
// (the DAP request written to its stdin, the "stopped" event read from its
// stdout) against the same step through the link alone ("next" sent to
// the interpreter, its "stop-at" received), for each interpreter. Rounds
// alternate between the two ways; each round times a run of steps, and the
// medians of the rounds' medians are printed.
//
//   build/native/bench/dap_bench [ROUNDS] [STEPS]
#include "dap_reader.h"
#include "link_peer.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using nlohmann::json;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A loop long enough that every step stops again.
const char macro_text[] = "do i = 1 to 1000000\n"
                          "  x = i\n"
                          "end\n";

// The median "next" round trip over the link alone, in milliseconds.
double link_steps(const std::string& interpreter, const std::string& macro, int steps) {
    bench::Vel vel;
    if (!vel.start(interpreter, macro)) {
        std::fprintf(stderr, "dap_bench: %s did not start\n", interpreter.c_str());
        std::exit(1);
    }
    std::vector<double> times;
    for (int s = 0; s < steps; ++s) {
        Clock::time_point start = Clock::now();
        vel.send("next");
        std::string stop = vel.until_stop();
        times.push_back(ms_since(start));
        if (stop.rfind("|stop-at|", 0) != 0) {
            std::fprintf(stderr, "dap_bench: the link step ended in \"%s\"\n", stop.c_str());
            std::exit(1);
        }
    }
    vel.finish();
    return median(times);
}

// A DAP client of ostra-dap on its standard input and output.
class Client {
  public:
    explicit Client(const std::string& adapter) {
        int to[2], from[2];
        if (::pipe(to) != 0 || ::pipe(from) != 0) std::exit(1);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(to[0], 0);
            ::dup2(from[1], 1);
            for (int fd : {to[0], to[1], from[0], from[1]})
                ::close(fd);
            ::execl(adapter.c_str(), adapter.c_str(), "--stdio", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(to[0]);
        ::close(from[1]);
        in_ = to[1];
        out_ = from[0];
    }
    ~Client() {
        ::close(in_);
        ::close(out_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    void request(const std::string& command, json arguments = json::object()) {
        std::string frame = dap::frame_of(
            {{"seq", seq_++}, {"type", "request"}, {"command", command}, {"arguments", arguments}});
        for (std::size_t at = 0; at < frame.size();) {
            long n = ::write(in_, frame.data() + at, frame.size() - at);
            if (n <= 0) std::exit(1);
            at += std::size_t(n);
        }
    }
    // The next event named `name` (responses and other events are passed by).
    json until_event(const std::string& name) {
        for (;;) {
            json m = next();
            if (m.value("type", "") == "event" && m.value("event", "") == name) return m;
            if (m.value("type", "") == "response" && !m.value("success", true)) {
                std::fprintf(stderr, "dap_bench: %s failed: %s\n", m.value("command", "").c_str(),
                             m.value("message", "").c_str());
                std::exit(1);
            }
        }
    }

  private:
    json next() {
        for (;;) {
            while (std::optional<dap::Inbound> in = reader_.next())
                if (in->kind == dap::Inbound::Kind::message) return in->message;
            char buffer[65536];
            long n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0) {
                std::fprintf(stderr, "dap_bench: ostra-dap ended\n");
                std::exit(1);
            }
            reader_.push(std::string_view(buffer, std::size_t(n)));
        }
    }

    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    int seq_ = 1;
    dap::DapReader reader_;
};

// The median "next" round trip through ostra-dap, in milliseconds.
double adapter_steps(const std::string& adapter, const std::string& interpreter,
                     const std::string& macro, int steps) {
    Client dc(adapter);
    dc.request("initialize", {{"adapterID", "rexx"}});
    dc.request("launch", {{"program", macro}, {"interpreter", interpreter}, {"stopOnEntry", true}});
    dc.until_event("initialized");
    dc.request("configurationDone");
    dc.until_event("stopped");
    std::vector<double> times;
    for (int s = 0; s < steps; ++s) {
        Clock::time_point start = Clock::now();
        dc.request("next", {{"threadId", 1}});
        json stopped = dc.until_event("stopped");
        times.push_back(ms_since(start));
        if (stopped["body"].value("reason", "") != "step") {
            std::fprintf(stderr, "dap_bench: a step stopped for %s\n", stopped.dump().c_str());
            std::exit(1);
        }
    }
    // The client's end of the pipes closes with `dc`: the session ends.
    dc.request("disconnect", {{"terminateDebuggee", true}});
    return median(times);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 7;
    const int steps = argc > 2 ? std::atoi(argv[2]) : 200;
    std::signal(SIGPIPE, SIG_IGN);
    ostra::net_start();
    const std::string macro = bench::write_macro("steps.rexx", macro_text);
    std::vector<std::string> interpreters{OSTRA_SIM_EXE};
#ifdef OSTRA_REGINA_EXE
    interpreters.push_back(OSTRA_REGINA_EXE);
#endif
    std::printf("\"next\" round trip, median of %d interleaved rounds of %d steps each\n\n", rounds,
                steps);
    std::printf("%-14s %12s %14s %12s\n", "interpreter", "link alone", "through DAP",
                "adapter adds");
    for (const std::string& interpreter : interpreters) {
        std::vector<double> alone, through;
        for (int r = 0; r < rounds; ++r) {
            alone.push_back(link_steps(interpreter, macro, steps));
            through.push_back(adapter_steps(OSTRA_DAP_EXE, interpreter, macro, steps));
        }
        const std::string name = interpreter.substr(interpreter.find_last_of('/') + 1);
        std::printf("%-14s %9.3f ms %11.3f ms %9.3f ms\n", name.c_str(), median(alone),
                    median(through), median(through) - median(alone));
    }
    std::remove(macro.c_str());
}
