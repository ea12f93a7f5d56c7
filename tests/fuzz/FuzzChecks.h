#pragma once
// The checks of the fuzz targets, shared by the libFuzzer entry points and
// by the ordinary test that replays the corpora. A failed check calls
// FuzzFailure: the fuzz build aborts (a finding), the replay test records it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

extern std::function<void(const std::string&)> FuzzFailure;

// A check of a fuzz target: its text is the failure.
#ifndef FUZZ_CHECK
#define FUZZ_CHECK(cond)                   \
    do {                                   \
        if (!(cond))                       \
            FuzzFailure(#cond);            \
    } while (0)
#endif

// Matcher: a flag byte, then condition NUL value (UTF-8).
void CheckMatcher(const uint8_t* data, size_t size);
// Text, number and date routines on the input as UTF-8 and as UTF-16 units.
void CheckTextRoutines(const uint8_t* data, size_t size);
// The input as each custom drop format's block and as rich text.
void CheckDropReaders(const uint8_t* data, size_t size);
// The drop-down edit's rules: settings, a start text, then typed
// characters, key-downs, pastes and selections (FuzzDropDownEditChecks.cpp).
void CheckDropDownEdit(const uint8_t* data, size_t size);
// The input as a picture file of any format, through the one loading function.
void CheckPictureLoading(const uint8_t* data, size_t size);

// The matcher's rules transcribed plainly (recursive "*"), for the
// differential check; false in Completed when the step budget ran out.
bool ReferenceMatchFilter(const std::u16string& expression, const std::u16string& value, bool caseSensitive,
                          bool& completed);
