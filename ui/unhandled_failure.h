#pragma once

#include <string_view>

#include "core/failure.h"

// Inside a catch block that ends the program for a failure no entry handler
// handles: says why on standard error, if the program has one. Nothing is
// shown, but a console that started it (a developer's, a test's) learns why
// it ended, down to the call and the line.
void ReportUnhandledFailure(std::string_view during);

// A decorative call's failure, which the program skips: said on standard
// error in the same words ("went on without: …"), so that a flicker can be
// traced to its call.
void ReportSkippedFailure(const Failure& failure);
