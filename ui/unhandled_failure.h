#pragma once

#include <string_view>

#include "core/failure.h"

// Inside a catch block that ends the program for a failure no entry handler
// handles: says why on standard error, if the program has one. Nothing is
// shown, but a console that started it (a developer's, a test's) learns why
// it ended, down to the call and the line.
void ReportUnhandledFailure(std::string_view during);

// A failure the program got past, by skipping a decorative call or by trying
// again: said on standard error in the same words, after what it did
// ("went on without", "tried again after"), so that a flicker or a slow start
// can be traced to its call.
void ReportPassingFailure(std::string_view outcome, const Failure& failure);
