#pragma once

#include <string_view>

// Inside a catch block that ends the program for a failure no entry handler
// handles: says why on standard error, if the program has one. Nothing is
// shown, but a console that started it (a developer's, a test's) learns why
// it ended.
void ReportUnhandledFailure(std::string_view during);
