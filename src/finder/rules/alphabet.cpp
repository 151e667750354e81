#include "finder/rules/alphabet.h"

#include <QList>
#include <QString>

namespace finder {

static constexpr char32_t Accented[] = {U'á', U'é', U'í', U'ó', U'ö', U'ő', U'ú', U'ü', U'ű'};

int letterIndex(char32_t ch)
{
    if (ch >= U'a' && ch <= U'z')
        return int(ch - U'a');
    if (ch >= U'A' && ch <= U'Z')
        return int(ch - U'A');
    const char32_t lower = QChar::toLower(ch);
    for (int i = 0; i < 9; ++i)
        if (Accented[i] == lower)
            return 26 + i;
    return -1;
}

char32_t letterAt(int index) { return index < 26 ? U'a' + char32_t(index) : Accented[index - 26]; }

Counts countLetters(QStringView text, int *foreign)
{
    Counts counts;
    int others = 0;
    for (const char32_t ch : text.toString().normalized(QString::NormalizationForm_C).toUcs4()) {
        const int k = letterIndex(ch);
        if (k >= 0)
            counts.add(k);
        else if (QChar::isLetter(ch))
            ++others;
    }
    if (foreign)
        *foreign = others;
    return counts;
}

} // namespace finder
