#pragma once

// Waiting in tests: the event loop runs (timers fire, posted events and
// deferred deletions are handled) until a condition holds or a deadline
// passes, so a test waits as long as the program needs and no longer.

#include <functional>

namespace mirto::testing {

// Runs the event loop until done() holds or timeoutMs pass; returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Runs the event loop for ms, for tests that check that nothing happens.
void RunEventsFor(int ms);

}  // namespace mirto::testing
