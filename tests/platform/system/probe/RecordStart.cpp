// Started by the run-at-time tests in place of a program: appends one line,
// "<wall clock ms> <arguments joined by |> <DISPLAY or ->", to
// $OWEBOOK_HOME/probe-starts.log, so a test sees when and how it started.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

int main(int argc, char** argv)
{
    const char* home = std::getenv("OWEBOOK_HOME");
    if (!home)
        return 2;
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::string line = std::to_string(static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000) + " ";
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? "|" : "") + std::string(argv[i]);
    const char* display = std::getenv("DISPLAY");
    line += std::string(" ") + (display ? display : "-") + "\n";
    FILE* log = std::fopen((std::string(home) + "/probe-starts.log").c_str(), "a");
    if (!log)
        return 1;
    std::fputs(line.c_str(), log);
    return std::fclose(log) == 0 ? 0 : 1;
}
