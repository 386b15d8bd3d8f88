// mkmedia: draws the game's pictures into a folder, or a contact sheet of them.
//   mkmedia [--report] OUTDIR
//   mkmedia --icons OUTDIR
//   mkmedia --contact-sheet FILE.png [MEDIADIR]
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "tools/mkmedia/contact_sheet.h"
#include "tools/mkmedia/generate.h"

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--contact-sheet") == 0) {
        const std::string mediaDir = argc >= 4 ? argv[3] : "Media";
        if (!mkmedia::writeContactSheet(argv[2], mediaDir)) {
            std::fprintf(stderr, "mkmedia: cannot make the contact sheet from %s\n",
                         mediaDir.c_str());
            return 1;
        }
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--icons") == 0) {
        std::string error;
        std::error_code ignored;
        std::filesystem::create_directories(argv[2], ignored);
        if (mkmedia::generateAppIcons(argv[2], error)) return 0;
        std::fprintf(stderr, "mkmedia: %s\n", error.c_str());
        return 1;
    }
    int arg = 1;
    const bool printReport = argc >= 2 && std::strcmp(argv[1], "--report") == 0;
    if (printReport) ++arg;
    if (arg + 1 != argc) {
        std::fprintf(stderr, "usage: mkmedia [--report] OUTDIR\n"
                             "       mkmedia --icons OUTDIR\n"
                             "       mkmedia --contact-sheet FILE.png [MEDIADIR]\n");
        return 2;
    }
    std::string report, error;
    std::error_code ignored;
    std::filesystem::create_directories(argv[arg], ignored);
    if (!mkmedia::generateAll(argv[arg], report, error)) {
        std::fprintf(stderr, "mkmedia: %s\n", error.c_str());
        return 1;
    }
    if (printReport) std::fputs(report.c_str(), stdout);
    return 0;
}
