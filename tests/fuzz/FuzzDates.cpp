// SPDX-License-Identifier: GPL-3.0-or-later
// The date helpers on any day number and pattern, and datecn-dump's argument parsing (all three kinds
// of line).
#include "DateCn.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int datecn_dump_main(int argc, char** argv);

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!std::freopen("/dev/null", "w", stdout)) // the dump's lines
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    std::int32_t day = 0;
    std::memcpy(&day, data, 4);
    const std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);

    // Days 1 January 1 to 31 December 9999.
    const DateCn::TDateTime date = day % 3000000;
    if (date >= -693593 && date <= 2958465) {
        int y = 0, m = 0, d = 0;
        DateCn::DecodeDate(date, y, m, d);
        if (DateCn::EncodeDate(y, m, d) != date)
            std::abort();
        const int weekday = DateCn::DayOfWeek(date);
        if (weekday < 1 || weekday > 7)
            std::abort();
        (void)DateCn::FormatDate(rest.substr(0, 64), date);
    }
    try {
        (void)DateCn::EncodeDate(day % 12000, static_cast<std::int8_t>(data[1]),
                                 static_cast<std::int8_t>(data[2]));
    } catch (const DateCn::EDateEncodeError&) {
    }

    // datecn-dump FROM TO: arguments split at the first zero byte. A range of many days prints
    // one line each, so both dates share their year and month (at most 31 lines).
    const std::size_t zero = rest.find('\0');
    std::string from = rest.substr(0, zero);
    std::string to = zero == std::string::npos ? from : rest.substr(zero + 1);
    if (from.size() == 10 && to.size() == 10)
        to.replace(0, 8, from, 0, 8);
    else if (to.size() == 10)
        to.replace(0, 4, "0001");
    // Bits 0-1 of byte 3 drop TO (0); bits 2-3 put --ganzhi (1) or --almanac (2) before the dates.
    std::string name = "datecn-dump", ganzhi = "--ganzhi", almanac = "--almanac";
    std::vector<char*> argv = {name.data()};
    const int mode = (data[3] >> 2) % 4;
    if (mode == 1)
        argv.push_back(ganzhi.data());
    if (mode == 2)
        argv.push_back(almanac.data());
    argv.push_back(from.data());
    if (data[3] % 4 != 0)
        argv.push_back(to.data());
    const int argc = static_cast<int>(argv.size());
    argv.push_back(nullptr);
    const int rc = datecn_dump_main(argc, argv.data());
    if (rc != 0 && rc != 2)
        std::abort();
    return 0;
}
