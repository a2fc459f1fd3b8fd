// Starting a program natively from a Windows-style command line, so the
// native tests can launch the native stand-in interpreter.
#include "platform/system.h"

#include <spawn.h>
#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

// Splits the way a Windows program's run-time library reads its command
// line, as far as vel's command lines need: blanks separate arguments, double
// quotes group.
std::vector<std::string> split_windows_command_line(const std::string& line) {
    std::vector<std::string> args;
    std::string current;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) args.push_back(current);
    return args;
}

bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// "C:\x\y.exe" is /x/y.exe on the headless drive; the native build's
// programs carry no ".exe".
std::string native_program(std::string program) {
    for (char& c : program)
        if (c == '\\') c = '/';
    if (program.size() >= 2 && program[1] == ':') program.erase(0, 2);
    if (!exists(program) && program.size() > 4 && program.ends_with(".exe")) {
        std::string bare = program.substr(0, program.size() - 4);
        if (exists(bare)) return bare;
    }
    return program;
}

} // namespace

bool plat_start_process(const std::string& command_line,
                        const std::vector<std::string>& environment) {
    std::vector<std::string> args = split_windows_command_line(command_line);
    if (args.empty()) return false;
    args[0] = native_program(args[0]);
    std::vector<char*> argv, envp;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = environment;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t child;
    return posix_spawn(&child, args[0].c_str(), nullptr, nullptr, argv.data(), envp.data()) == 0;
}
