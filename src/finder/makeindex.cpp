// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the word list's index at build time: morvalin_index LIST INDEX.

#include "finder/rules/wordlist.h"

#include <QString>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: morvalin_index LIST INDEX\n", stderr);
        return 2;
    }
    QString error;
    const std::optional<finder::WordList> list = finder::WordList::load(QString::fromLocal8Bit(argv[1]), nullptr, &error);
    if (!list) {
        std::fprintf(stderr, "morvalin_index: %s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    if (!list->saveIndex(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "morvalin_index: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
