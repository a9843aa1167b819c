// What the driver prints: every step, every check and every mismatch, and the
// count of failures that decides its exit code.
#pragma once

namespace e2e {

void Say(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Fail(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Pass(const char* format, ...) __attribute__((format(printf, 1, 2)));
int Failures();

}  // namespace e2e
