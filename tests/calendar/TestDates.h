// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "DateCn.h"

#include <string>

// "YYYY-MM-DD" to a date; test data only, so no error handling beyond EncodeDate's.
inline DateCn::TDateTime D(const std::string& ymd) {
    return DateCn::EncodeDate(std::stoi(ymd.substr(0, 4)), std::stoi(ymd.substr(5, 2)),
                              std::stoi(ymd.substr(8, 2)));
}

// A test name from a date and a suffix: "2020-05-23" -> "d2020_05_23".
inline std::string DateTestName(const std::string& ymd) {
    std::string name = "d" + ymd;
    for (char& c : name)
        if (c == '-')
            c = '_';
    return name;
}
