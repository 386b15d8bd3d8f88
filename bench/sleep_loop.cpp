// The idle floor of the game's loop shape: nothing but the 1 ms sleep, forever. For idle.sh.
#include <chrono>
#include <thread>

int main() {
    for (;;)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}
