// A preload library for the idle benchmark (scripts/idle_bench.py): counts
// the program's calls of SDL_PollEvent, which the Paint Program makes once a
// pass, in an 8-byte file named by EASEL_PASS_COUNT_FILE that the script
// reads while the program runs. Without the variable it only passes calls on.
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

std::uint64_t* openCounter() {
    const char* path = std::getenv("EASEL_PASS_COUNT_FILE");
    if (path == nullptr) return nullptr;
    const int fd = ::open(path, O_RDWR);
    if (fd < 0) return nullptr;
    void* mapped = ::mmap(nullptr, sizeof(std::uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    return mapped == MAP_FAILED ? nullptr : static_cast<std::uint64_t*>(mapped);
}

}  // namespace

extern "C" int SDL_PollEvent(SDL_Event* event) {
    using Poll = int (*)(SDL_Event*);
    static const Poll real = reinterpret_cast<Poll>(dlsym(RTLD_NEXT, "SDL_PollEvent"));
    static std::uint64_t* const counter = openCounter();
    if (counter != nullptr) __atomic_add_fetch(counter, 1, __ATOMIC_RELAXED);
    return real(event);
}
