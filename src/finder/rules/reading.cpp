// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/reading.h"

namespace finder {

std::optional<Reading> Reading::parse(std::string_view code)
{
    if (code.size() != 7)
        return std::nullopt;
    static constexpr std::string_view Parts = "NAMPVIDUCTKGJO", Cases = "-nado", Definites = "-dik";
    const size_t pos = Parts.find(code[0]), grammaticalCase = Cases.find(code[1]), definite = Definites.find(code[4]);
    const auto digit = [](char c) { return c == '-' ? 0 : c >= '1' && c <= '3' ? c - '0' : -1; };
    const auto plural = [](char c) { return c == '-' || c == 's' ? 0 : c == 'p' ? 1 : -1; };
    if (pos == std::string_view::npos || grammaticalCase == std::string_view::npos || definite == std::string_view::npos ||
        plural(code[2]) < 0 || digit(code[3]) < 0 || digit(code[5]) < 0 || plural(code[6]) < 0)
        return std::nullopt;
    Reading r;
    r.pos = Pos(pos);
    r.grammaticalCase = Case(grammaticalCase);
    r.plural = uint8_t(plural(code[2]));
    r.person = uint8_t(digit(code[3]));
    r.definite = Definite(definite);
    r.possessor = uint8_t(digit(code[5]));
    r.possessorPlural = uint8_t(plural(code[6]));
    return r;
}

uint32_t Reading::pack() const
{
    return uint32_t(pos) | uint32_t(grammaticalCase) << 4 | uint32_t(plural) << 7 | uint32_t(person) << 8 |
           uint32_t(definite) << 10 | uint32_t(possessor) << 12 | uint32_t(possessorPlural) << 14;
}

Reading Reading::unpack(uint32_t p)
{
    Reading r;
    r.pos = Pos(p & 15);
    r.grammaticalCase = Case(p >> 4 & 7);
    r.plural = uint8_t(p >> 7 & 1);
    r.person = uint8_t(p >> 8 & 3);
    r.definite = Definite(p >> 10 & 3);
    r.possessor = uint8_t(p >> 12 & 3);
    r.possessorPlural = uint8_t(p >> 14 & 1);
    return r;
}

} // namespace finder
