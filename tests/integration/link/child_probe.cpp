// Stands between vel and the stand-in interpreter in the launch tests: writes
// the command-line arguments and the environment it was started with to the
// file named by VEL_PROBE_OUT (one per line, "arg:" or "env:" first), then
// becomes the program named by VEL_PROBE_NEXT with the same arguments.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern char** environ;

int main(int argc, char** argv) {
    const char* out = std::getenv("VEL_PROBE_OUT");
    const char* next = std::getenv("VEL_PROBE_NEXT");
    if (!out || !next) return 90;
    if (FILE* f = std::fopen(out, "w")) {
        for (int i = 1; i < argc; ++i)
            std::fprintf(f, "arg:%s\n", argv[i]);
        for (char** e = environ; *e; ++e)
            std::fprintf(f, "env:%s\n", *e);
        std::fclose(f);
    }
    argv[0] = const_cast<char*>(next);
    execv(next, argv);
    return 91;
}
