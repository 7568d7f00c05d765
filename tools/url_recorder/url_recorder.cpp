// Stands in for a web browser on the bench: appends the command line it was started
// with, exactly as it received it, as one line to the file named by its first
// argument. The end-to-end tests register it as the URL handler or as the ".htm"
// file type's command and read what it saw.
//
//   talvine-url-recorder LOGFILE [ANYTHING...]
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::FILE* log = std::fopen(argv[1], "ab");
    if (!log) return 1;
    std::fprintf(log, "%s\n", GetCommandLineA());
    std::fclose(log);
    return 0;
}
