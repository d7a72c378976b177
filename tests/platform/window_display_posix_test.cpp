#include "platform/window_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets or removes one variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_saved = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_saved)
            setenv(m_name, m_saved->c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_saved;
};

TEST(WindowDisplay, NeedsAnX11OrWaylandDisplayThatIsNotEmpty)
{
    struct Case {
        const char* x11;
        const char* wayland;
        bool expected;
    };
    for (const Case& c : {Case{nullptr, nullptr, false}, Case{"", "", false}, Case{":0", nullptr, true},
                          Case{nullptr, "wayland-0", true}}) {
        const ScopedVariable x11("DISPLAY", c.x11);
        const ScopedVariable wayland("WAYLAND_DISPLAY", c.wayland);
        EXPECT_EQ(HasWindowDisplay(), c.expected)
            << (c.x11 ? c.x11 : "(unset)") << " / " << (c.wayland ? c.wayland : "(unset)");
    }
}

} // namespace
