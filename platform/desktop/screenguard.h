#pragma once

namespace desktop {

// While it lives, a toolkit that cannot start (no screen to reach, a platform plugin missing or
// broken) ends the program with a German message naming the reason and exit code 1, instead
// of its English one and an abort. Create it before the Application; what the toolkit says
// meanwhile is held back and, once the Application stands, passed on when the guard goes.
class ScreenGuard {
public:
    ScreenGuard();
    ~ScreenGuard();
    ScreenGuard(const ScreenGuard&) = delete;
    ScreenGuard& operator=(const ScreenGuard&) = delete;
};

} // namespace desktop
