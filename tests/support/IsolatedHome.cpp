// Linked into every test program. A test started by hand, outside the
// isolating runner, must not touch the real home, library, Trash or settings:
// before main() runs, point HOME and the XDG folders at a fresh temporary
// folder, removed again at exit.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

struct IsolatedHome {
    std::string root;

    IsolatedHome()
    {
        if (std::getenv("STUDIO_TEST_ISOLATED"))
            return; // the runner already did it
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/studio-test.XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort(); // never fall back to the real home
        root = pattern;
        const auto make = [this](const char* name, const char* variable) {
            const std::string path = root + "/" + name;
            std::filesystem::create_directories(path);
            setenv(variable, path.c_str(), 1);
        };
        make("home", "HOME");
        make("data", "XDG_DATA_HOME");
        make("config", "XDG_CONFIG_HOME");
        make("cache", "XDG_CACHE_HOME");
        make("runtime", "XDG_RUNTIME_DIR");
        std::filesystem::permissions(root + "/runtime", std::filesystem::perms::owner_all);
        setenv("XDG_VIDEOS_DIR", (root + "/home/Videos").c_str(), 1);
        setenv("STUDIO_TEST_ISOLATED", "1", 1);
    }

    ~IsolatedHome()
    {
        if (root.empty())
            return;
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};

const IsolatedHome isolatedHome;

} // namespace
