// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/phrase.h"

#include "finder/rules/wordlist.h"

#include <algorithm>

namespace finder {

namespace {

// The roles a word can take, in the order a phrase places them.
enum Role : uint8_t { Subject, Verbal, Object, Adverbial, Attribute, Determiner, Rest };

// Tried in this order, the first of equal readings kept: an adjective reads
// as an attribute before a form of it reads as a case.
constexpr std::array<std::pair<uint8_t, Role>, 8> RoleOfClass{{
    {Nominative, Subject},
    {Adjective, Attribute},
    {Accusative, Object},
    {OtherCase, Adverbial},
    {Article, Determiner},
    {Verb, Verbal},
    {Interjection, Rest},
    {Other, Rest},
}};

// Whether an article goes before a word: "a" before a consonant, "az"
// before a vowel, any other before either.
bool agrees(const PhraseWord &article, const PhraseWord &next)
{
    switch (article.article) {
    case ArticleKind::A: return !next.vowel;
    case ArticleKind::Az: return next.vowel;
    case ArticleKind::None: return true;
    }
    return true;
}

// A few indexes, without the heap: a reading has at most MostWords words.
struct Indexes
{
    std::array<int8_t, MostWords> at{};
    int size = 0;
    void add(int i) { at[size_t(size++)] = int8_t(i); }
    const int8_t *begin() const { return at.data(); }
    const int8_t *end() const { return at.data() + size; }
};

struct Reading
{
    std::span<const PhraseWord> words;
    std::span<const Role> roles;

    // Within a role: the longer word first, then the text's order.
    bool before(int a, int b) const
    {
        const PhraseWord &x = words[size_t(a)], &y = words[size_t(b)];
        return x.length != y.length ? x.length > y.length : x.order < y.order;
    }
    Indexes with(Role role) const
    {
        Indexes found;
        for (int i = 0; i < int(roles.size()); ++i)
            if (roles[size_t(i)] == role)
                found.add(i);
        std::sort(found.at.begin(), found.at.begin() + found.size, [&](int a, int b) { return before(a, b); });
        return found;
    }

    Phrase phrase() const
    {
        Phrase p;
        int placed = 0;
        const auto put = [&](int i) { p.order[size_t(placed++)] = int8_t(i); };
        // Noun phrases: subjects, objects, then the rest, each with its
        // adjective and its article.
        struct NounPhrase
        {
            int noun = -1, attribute = -1, article = -1;
            Role role = Rest;
        };
        std::array<NounPhrase, MostWords> phrases;
        int count = 0;
        for (const Role role : {Subject, Object, Adverbial})
            for (const int i : with(role))
                phrases[size_t(count++)] = {i, -1, -1, role};
        Indexes loose;
        const Indexes attributes = with(Attribute);
        int a = 0;
        for (int n = 0; n < count && a < attributes.size; ++n) {
            phrases[size_t(n)].attribute = attributes.at[size_t(a++)];
            p.bonus += PhraseScore::Attribute;
        }
        for (; a < attributes.size; ++a)
            loose.add(attributes.at[size_t(a)]);
        for (const int article : with(Determiner)) {
            bool found = false;
            for (int n = 0; n < count && !found; ++n) {
                NounPhrase &np = phrases[size_t(n)];
                const int first = np.attribute >= 0 ? np.attribute : np.noun;
                if (np.article < 0 && agrees(words[size_t(article)], words[size_t(first)])) {
                    np.article = article;
                    found = true;
                }
            }
            if (found) {
                p.bonus += PhraseScore::Article;
            } else {
                p.bonus -= PhraseScore::Dangling;
                loose.add(article);
            }
        }
        const Indexes verbs = with(Verbal);
        const bool argument = std::any_of(phrases.begin(), phrases.begin() + count,
                                          [](const NounPhrase &np) { return np.role != Adverbial; });
        if (verbs.size > 0 && argument)
            p.bonus += PhraseScore::Predicate;
        if (verbs.size > 1)
            p.bonus -= PhraseScore::SecondVerb * (verbs.size - 1);
        const auto putPhrase = [&](const NounPhrase &np) {
            for (const int i : {np.article, np.attribute, np.noun})
                if (i >= 0)
                    put(i);
        };
        // Subject, verb, object, the rest: "a kutya eszi az almát".
        for (int n = 0; n < count; ++n)
            if (phrases[size_t(n)].role == Subject)
                putPhrase(phrases[size_t(n)]);
        for (const int i : verbs)
            put(i);
        for (int n = 0; n < count; ++n)
            if (phrases[size_t(n)].role != Subject)
                putPhrase(phrases[size_t(n)]);
        std::sort(loose.at.begin(), loose.at.begin() + loose.size, [&](int x, int y) { return before(x, y); });
        for (const int i : loose)
            put(i);
        for (const int i : with(Rest))
            put(i);
        return p;
    }
};

} // namespace

int bestEarning(uint8_t classes)
{
    int best = 0;
    if (classes & Article)
        best = std::max(best, PhraseScore::Article);
    if (classes & Adjective)
        best = std::max(best, PhraseScore::Attribute);
    if (classes & Verb)
        best = std::max(best, PhraseScore::Predicate);
    return best;
}

Phrase arrange(std::span<const PhraseWord> words)
{
    const size_t n = std::min(words.size(), size_t(MostWords));
    // The roles each word can take, each once.
    std::array<std::array<Role, RoleOfClass.size()>, MostWords> options{};
    std::array<size_t, MostWords> optionCount{};
    for (size_t i = 0; i < n; ++i) {
        for (const auto &[bit, role] : RoleOfClass) {
            const auto end = options[i].begin() + ptrdiff_t(optionCount[i]);
            if (words[i].classes & bit && std::find(options[i].begin(), end, role) == end)
                options[i][optionCount[i]++] = role;
        }
        if (optionCount[i] == 0)
            options[i][optionCount[i]++] = Rest;
    }
    // Every choice of roles, the first best one kept: a word has a few.
    std::array<size_t, MostWords> pick{};
    std::array<Role, MostWords> roles{};
    Phrase best;
    bool any = false;
    for (;;) {
        for (size_t i = 0; i < n; ++i)
            roles[i] = options[i][pick[i]];
        const Phrase p = Reading{words.first(n), std::span<const Role>(roles.data(), n)}.phrase();
        if (!any || p.bonus > best.bonus) {
            best = p;
            any = true;
        }
        size_t i = 0;
        while (i < n && ++pick[i] == optionCount[i])
            pick[i++] = 0;
        if (i == n)
            break;
    }
    return best;
}

} // namespace finder
