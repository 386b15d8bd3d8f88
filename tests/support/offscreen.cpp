// Window tests run headless: Qt's offscreen platform with a 1280 x 1024 screen, so that the
// centred 1000 x 700 main window fits unshrunk. An explicitly chosen platform (xvfb-run with
// QT_QPA_PLATFORM=xcb) is left alone. Runs before main, so test discovery's listing run is
// covered too.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Offscreen {
    std::filesystem::path folder;
    Offscreen() {
        char name[] = "/tmp/selvo-test-XXXXXX";
        if (!mkdtemp(name)) return;
        folder = name;
        setenv("XDG_RUNTIME_DIR", name, 0);
        const std::string config = folder / "screen.json";
        std::ofstream(config) << R"({"screens": [{"name": "Test", "x": 0, "y": 0, )"
                                 R"("width": 1280, "height": 1024, "logicalDpi": 96, )"
                                 R"("logicalBaseDpi": 96, "dpr": 1}]})";
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (!platform || std::string(platform) == "offscreen")
            setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    }
    ~Offscreen() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
} offscreen;

} // namespace
