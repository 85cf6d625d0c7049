// SPDX-License-Identifier: GPL-3.0-or-later
// datecn-dump [--ganzhi | --almanac] FROM TO
// Prints one line per day from FROM to TO inclusive (dates YYYY-MM-DD), UTF-8, tab-separated: the calendar
// line of DumpLines::AppendCalendar, or with --almanac (1901–2050 only) the almanac line of
// DumpLines::AppendAlmanac.

#include "DateCn.h"
#include "DumpLines.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Parses exactly "YYYY-MM-DD" naming an existing date.
std::optional<DateCn::TDateTime> ParseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int fields[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int f = 0; f < 3; ++f)
        for (int i = starts[f]; i < starts[f] + lengths[f]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            fields[f] = fields[f] * 10 + (text[i] - '0');
        }
    try {
        return DateCn::EncodeDate(fields[0], fields[1], fields[2]);
    } catch (const DateCn::EDateEncodeError&) {
        return std::nullopt;
    }
}

int Fail(const std::string& message) {
    std::fprintf(stderr,
                 "datecn-dump: %s\nusage: datecn-dump [--ganzhi | --almanac] FROM TO   (dates YYYY-MM-DD, "
                 "inclusive)\n",
                 message.c_str());
    return 2;
}

// --help and --version: standard output, exit 0.
bool PrintInfo(std::string_view option) {
    if (option == "--version") {
        std::printf("datecn-dump %s\n", VELMORA_VERSION);
        return true;
    }
    if (option != "--help" && option != "-h")
        return false;
    std::printf(
        "usage: datecn-dump [--ganzhi | --almanac] FROM TO\n"
        "Prints one tab-separated line per day from FROM to TO inclusive (dates YYYY-MM-DD):\n"
        "date, lunar date code, lunar month, lunar day, lunar festival, solar term index, solar term,\n"
        "zodiac animal, civil festival, constellation, day of the year, weekday (1 = Sunday).\n"
        "  --ganzhi   three more columns: the stem and branch of the year, the month and the day\n"
        "  --almanac  instead, the date and the day's almanac as key=value fields (1901-2050 only):\n"
        "             建除 值神 黄道 宿 冲 煞 彭祖 纳音 胎神 喜神 福神 财神 阳贵 阴贵 日禄\n"
        "  --help     this text\n"
        "  --version  the version\n");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    using namespace DateCn;
    if (argc == 2 && PrintInfo(argv[1]))
        return std::fflush(stdout) == 0 ? 0 : 1;
    // --ganzhi or --almanac, only as the first argument, chooses the kind of line.
    const std::string_view mode = argc > 1 ? argv[1] : "";
    const bool ganzhi = mode == "--ganzhi", almanac = mode == "--almanac";
    if (ganzhi || almanac) {
        --argc;
        ++argv;
    }
    if (argc != 3)
        return Fail("expected two dates, got " + std::to_string(argc - 1) + " arguments");
    const auto from = ParseDate(argv[1]);
    if (!from)
        return Fail(std::string("FROM is not a valid date: '") + argv[1] + "'");
    const auto to = ParseDate(argv[2]);
    if (!to)
        return Fail(std::string("TO is not a valid date: '") + argv[2] + "'");
    if (*from > *to)
        return Fail(std::string("FROM (") + argv[1] + ") is after TO (" + argv[2] + ")");
    // The almanac is known only where the 干支 are; both ends are checked before any line is printed.
    const TDateTime first = EncodeDate(1901, 1, 1), last = EncodeDate(2050, 12, 31);
    if (almanac && (*from < first || *to > last))
        return Fail(std::string("--almanac covers 1901-01-01..2050-12-31 only, not ") +
                    (*from < first ? argv[1] : argv[2]));

    std::string line;
    for (TDateTime date = *from; date <= *to; date += 1) {
        line.clear();
        if (almanac)
            DumpLines::AppendAlmanac(line, date);
        else
            DumpLines::AppendCalendar(line, date, ganzhi);
        line += '\n';
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size())
            return 1; // closed pipe or full disk
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
