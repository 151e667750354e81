// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/phrase.h"

#include "finder/rules/wordlist.h"

#include <algorithm>
#include <array>

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

bool startsWithVowel(const QString &word)
{
    static const QString Vowels = QStringLiteral("aáeéiíoóöőuúüű");
    return !word.isEmpty() && Vowels.contains(word.front().toLower());
}

// Whether an article goes before a word: "a" before a consonant, "az"
// before a vowel, "egy" before either.
bool agrees(const QString &article, const QString &next)
{
    if (article.compare(QStringLiteral("a"), Qt::CaseInsensitive) == 0)
        return !startsWithVowel(next);
    if (article.compare(QStringLiteral("az"), Qt::CaseInsensitive) == 0)
        return startsWithVowel(next);
    return true;
}

struct Reading
{
    std::span<const PhraseWord> words;
    std::span<const Role> roles;

    bool before(int a, int b) const
    {
        const PhraseWord &x = words[size_t(a)], &y = words[size_t(b)];
        if (x.text.size() != y.text.size())
            return x.text.size() > y.text.size();
        return x.text < y.text;
    }
    std::vector<int> with(Role role) const
    {
        std::vector<int> found;
        for (int i = 0; i < int(roles.size()); ++i)
            if (roles[size_t(i)] == role)
                found.push_back(i);
        std::sort(found.begin(), found.end(), [&](int a, int b) { return before(a, b); });
        return found;
    }

    Phrase phrase() const
    {
        Phrase p;
        // Noun phrases: subjects, objects, then the rest, each with its
        // adjective and its article.
        struct NounPhrase
        {
            int noun, attribute = -1, article = -1;
            Role role;
        };
        std::vector<NounPhrase> phrases;
        for (const Role role : {Subject, Object, Adverbial})
            for (const int i : with(role))
                phrases.push_back({i, -1, -1, role});
        std::vector<int> loose;
        const std::vector<int> attributes = with(Attribute);
        size_t a = 0;
        for (NounPhrase &np : phrases)
            if (a < attributes.size()) {
                np.attribute = attributes[a++];
                p.bonus += PhraseScore::Attribute;
            }
        loose.insert(loose.end(), attributes.begin() + ptrdiff_t(a), attributes.end());
        for (const int article : with(Determiner)) {
            bool placed = false;
            for (NounPhrase &np : phrases) {
                const int first = np.attribute >= 0 ? np.attribute : np.noun;
                if (np.article < 0 && agrees(words[size_t(article)].text, words[size_t(first)].text)) {
                    np.article = article;
                    placed = true;
                    break;
                }
            }
            if (placed) {
                p.bonus += PhraseScore::Article;
            } else {
                p.bonus -= PhraseScore::Dangling;
                loose.push_back(article);
            }
        }
        const std::vector<int> verbs = with(Verbal);
        const bool argument = std::any_of(phrases.begin(), phrases.end(),
                                          [](const NounPhrase &np) { return np.role != Adverbial; });
        if (!verbs.empty() && argument)
            p.bonus += PhraseScore::Predicate;
        if (verbs.size() > 1)
            p.bonus -= PhraseScore::SecondVerb * int(verbs.size() - 1);
        const auto put = [&](const NounPhrase &np) {
            for (const int i : {np.article, np.attribute, np.noun})
                if (i >= 0)
                    p.order.push_back(i);
        };
        // Subject, verb, object, the rest: "a kutya eszi az almát".
        for (const NounPhrase &np : phrases)
            if (np.role == Subject)
                put(np);
        p.order.insert(p.order.end(), verbs.begin(), verbs.end());
        for (const NounPhrase &np : phrases)
            if (np.role != Subject)
                put(np);
        std::sort(loose.begin(), loose.end(), [&](int x, int y) { return before(x, y); });
        p.order.insert(p.order.end(), loose.begin(), loose.end());
        const std::vector<int> rest = with(Rest);
        p.order.insert(p.order.end(), rest.begin(), rest.end());
        return p;
    }
};

} // namespace

Phrase arrange(std::span<const PhraseWord> words)
{
    const size_t n = words.size();
    std::vector<std::vector<Role>> options(n);
    for (size_t i = 0; i < n; ++i) {
        for (const auto &[bit, role] : RoleOfClass)
            if (words[i].classes & bit && std::find(options[i].begin(), options[i].end(), role) == options[i].end())
                options[i].push_back(role);
        if (options[i].empty())
            options[i].push_back(Rest);
    }
    // Every choice of roles, the first best one kept: a word has a few.
    std::vector<size_t> pick(n, 0);
    std::vector<Role> roles(n);
    Phrase best;
    bool any = false;
    for (;;) {
        for (size_t i = 0; i < n; ++i)
            roles[i] = options[i][pick[i]];
        Phrase p = Reading{words, roles}.phrase();
        if (!any || p.bonus > best.bonus) {
            best = std::move(p);
            any = true;
        }
        size_t i = 0;
        while (i < n && ++pick[i] == options[i].size())
            pick[i++] = 0;
        if (i == n)
            break;
    }
    return best;
}

} // namespace finder
