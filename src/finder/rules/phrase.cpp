// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/phrase.h"

#include <algorithm>

namespace finder {

Function functionOf(std::string_view w)
{
    if (w == "a")
        return Function::ArticleA;
    if (w == "az")
        return Function::ArticleAz;
    if (w == "egy")
        return Function::ArticleEgy;
    for (const std::string_view c : {"és", "s", "de", "vagy", "meg", "sőt", "avagy", "illetve", "valamint"})
        if (w == c)
            return Function::Coordinator;
    for (const std::string_view c : {"hogy", "mert", "ha", "mint", "ahogy", "amíg", "míg", "mielőtt", "miután", "ámbár"})
        if (w == c)
            return Function::Subordinator;
    for (const std::string_view c : {"is", "sem", "se", "csak", "még", "már", "pedig", "hát", "bizony", "mégis"})
        if (w == c)
            return Function::Particle;
    return Function::None;
}

namespace {

using Pos = Reading::Pos;
using Case = Reading::Case;
using Definite = Reading::Definite;

// What a word does in its reading.
enum class Role : uint8_t {
    Free,       // heads a phrase, or stands alone
    Article,    // before its noun phrase
    Attribute,  // an adjective or numeral before its noun
    Possessor,  // a noun phrase before the noun it owns
    Complement, // a noun phrase before its postposition
    Subject,
    Object,
    Adverbial,  // of a verb, or of a sentence without one
    Predicate,  // of a sentence without a verb
    Degree,     // an adverb before its adjective
    Negation,   // before what it denies
    Prefix,     // after its verb
    Particle,   // after the word it goes with
    Joiner,     // a conjunction between two phrases
};

constexpr int Words = MostWords;

struct Parse
{
    std::span<const PhraseWord> words;
    std::array<Reading, Words> r{};
    int n = 0;
    std::array<Role, Words> role{};
    std::array<int8_t, Words> head{}; // the word it goes with, -1 for none
    std::array<int8_t, Words> article{}; // a noun's article, -1 for none
    std::array<int8_t, Words> attributes{}; // how many a noun has
    int errors = 0, soft = 0;

    bool noun(int i) const { return r[size_t(i)].pos == Pos::Noun; }
    bool nominal(int i) const { return noun(i) || r[size_t(i)].pos == Pos::Pronoun; }
    bool freeWord(int i) const { return role[size_t(i)] == Role::Free; }
    Case caseOf(int i) const { return r[size_t(i)].grammaticalCase; }
    bool isFunction(int i, Function f) const { return words[size_t(i)].function == f; }
    bool articleWord(int i) const
    {
        const Function f = words[size_t(i)].function;
        return r[size_t(i)].pos == Pos::Article &&
               (f == Function::ArticleA || f == Function::ArticleAz || f == Function::ArticleEgy);
    }

    void attach(int i, int to, Role as)
    {
        role[size_t(i)] = as;
        head[size_t(i)] = int8_t(to);
    }

    // Whether a noun has its possessor here.
    bool owned(int i) const
    {
        for (int k = 0; k < n; ++k)
            if (role[size_t(k)] == Role::Possessor && head[size_t(k)] == i)
                return true;
        return false;
    }

    // Whether a noun's phrase is definite: its article "a"/"az", or owned.
    bool definite(int i) const
    {
        const Reading &x = r[size_t(i)];
        if (x.pos == Pos::Pronoun)
            return x.definite == Definite::Definite && x.person == 3;
        const int a = article[size_t(i)];
        return x.possessor != 0 || (a >= 0 && !isFunction(a, Function::ArticleEgy));
    }

    // Whether an article can stand before noun i's phrase: "a" before a
    // consonant, "az" before a vowel; the phrase begins with one of its
    // attributes where it has some.
    bool agrees(int articleAt, int noun) const
    {
        const Function f = words[size_t(articleAt)].function;
        if (f == Function::ArticleEgy)
            return !r[size_t(noun)].plural;
        const bool wantVowel = f == Function::ArticleAz;
        if (attributes[size_t(noun)] == 0)
            return words[size_t(noun)].vowel == wantVowel;
        for (int j = 0; j < n; ++j)
            if (role[size_t(j)] == Role::Attribute && head[size_t(j)] == noun && words[size_t(j)].vowel == wantVowel)
                return true;
        return false;
    }

    // A verb's subject: person and number alike.
    bool agreesAsSubject(int s, int v) const
    {
        const Reading &x = r[size_t(s)], &y = r[size_t(v)];
        const int person = x.pos == Pos::Pronoun ? x.person : 3;
        return person == y.person && x.plural == y.plural;
    }
    // A verb's object: a definite verb wants a definite one, an indefinite
    // verb an indefinite one; a first- or second-person pronoun takes the
    // indefinite conjugation, or -lak/-lek for "téged".
    bool agreesAsObject(int o, int v) const
    {
        const Reading &x = r[size_t(o)], &y = r[size_t(v)];
        if (x.pos == Pos::Pronoun && (x.person == 1 || x.person == 2))
            return y.definite == Definite::Indefinite || (y.definite == Definite::SecondObject && x.person == 2);
        if (y.definite == Definite::SecondObject)
            return false;
        return definite(o) == (y.definite == Definite::Definite);
    }

    void run(int predicate)
    {
        role.fill(Role::Free);
        head.fill(-1);
        article.fill(-1);
        attributes.fill(0);
        errors = soft = 0;
        // An owned noun (third person) takes a noun in the nominative or dative before it.
        for (int i = 0; i < n; ++i) {
            if (!noun(i) || r[size_t(i)].possessor != 3)
                continue;
            for (int j = 0; j < n; ++j)
                if (j != i && noun(j) && freeWord(j) && (caseOf(j) == Case::Nominative || caseOf(j) == Case::Dative) &&
                    rootOf(i) != j) {
                    attach(j, i, Role::Possessor);
                    break;
                }
        }
        // Attributes to nouns, the fewest first, an owned noun last ("a kis
        // fiú kabátja"); one adjective may be kept for the predicate of a
        // sentence without a verb.
        for (int i = 0; i < n; ++i) {
            const Pos p = r[size_t(i)].pos;
            if ((p != Pos::Adjective && p != Pos::Numeral) || i == predicate)
                continue;
            int best = -1;
            const auto rank = [&](int j) { return attributes[size_t(j)] * 2 + (owned(j) ? 1 : 0); };
            for (int j = 0; j < n; ++j)
                if (noun(j) && (best < 0 || rank(j) < rank(best)))
                    best = j;
            if (best >= 0) {
                attach(i, best, Role::Attribute);
                ++attributes[size_t(best)];
            }
        }
        // Articles to noun phrases that agree; an owned noun with its
        // possessor has its possessor's.
        for (int i = 0; i < n; ++i) {
            if (!articleWord(i))
                continue;
            for (int j = 0; j < n; ++j) {
                if (!noun(j) || article[size_t(j)] >= 0 || !agrees(i, j))
                    continue;
                if (owned(j))
                    continue;
                attach(i, j, Role::Article);
                article[size_t(j)] = int8_t(i);
                break;
            }
            if (freeWord(i))
                ++errors; // an article before nothing it agrees with
        }
        // A postposition after a noun phrase in the nominative.
        for (int i = 0; i < n; ++i) {
            if (r[size_t(i)].pos != Pos::Postposition)
                continue;
            for (int j = n - 1; j >= 0; --j)
                if (noun(j) && freeWord(j) && caseOf(j) == Case::Nominative) {
                    attach(j, i, Role::Complement);
                    break;
                }
        }
        // Each finite verb with its subject and object.
        int main = -1;
        for (int v = 0; v < n; ++v) {
            if (r[size_t(v)].pos != Pos::Verb)
                continue;
            if (main < 0)
                main = v;
            int subject = -1, object = -1;
            for (int j = 0; j < n && subject < 0; ++j)
                if (nominal(j) && freeWord(j) && caseOf(j) == Case::Nominative && agreesAsSubject(j, v))
                    subject = j;
            if (subject >= 0)
                attach(subject, v, Role::Subject);
            for (int j = 0; j < n && object < 0; ++j)
                if (nominal(j) && freeWord(j) && caseOf(j) == Case::Accusative && agreesAsObject(j, v))
                    object = j;
            if (object >= 0)
                attach(object, v, Role::Object);
            // What the verb cannot take but a reader would read with it.
            for (int j = 0; j < n; ++j) {
                if (!nominal(j) || !freeWord(j))
                    continue;
                if ((subject < 0 && caseOf(j) == Case::Nominative) || (object < 0 && caseOf(j) == Case::Accusative)) {
                    ++errors;
                    attach(j, v, caseOf(j) == Case::Nominative ? Role::Subject : Role::Object);
                }
            }
            if (object < 0 && r[size_t(v)].definite == Definite::Definite)
                soft += PhraseScore::Objectless;
        }
        // Without a finite verb: an infinitive heads its phrase, or a
        // subject has its predicate.
        int sentence = main;
        for (int i = 0; i < n && sentence < 0; ++i)
            if (r[size_t(i)].pos == Pos::Infinitive) {
                sentence = i;
                for (int j = 0; j < n; ++j)
                    if (nominal(j) && freeWord(j) && caseOf(j) == Case::Accusative) {
                        attach(j, i, Role::Object);
                        break;
                    }
            }
        if (sentence < 0 && predicate >= 0)
            for (int j = 0; j < n; ++j) {
                if (j == predicate || !nominal(j) || !freeWord(j) || caseOf(j) != Case::Nominative)
                    continue;
                const Reading &s = r[size_t(j)];
                if ((s.pos == Pos::Pronoun ? s.person : 3) == 3 && s.plural == r[size_t(predicate)].plural) {
                    attach(j, predicate, Role::Subject);
                    sentence = predicate;
                    break;
                }
            }
        // The rest goes with the sentence: adverbials, an infinitive, a
        // prefix standing apart, the negation; without a sentence, an
        // adverb with an adjective.
        for (int i = 0; i < n; ++i) {
            if (!freeWord(i) || i == sentence || words[size_t(i)].function == Function::Particle)
                continue;
            const Reading &x = r[size_t(i)];
            if (sentence >= 0) {
                if ((nominal(i) && (x.grammaticalCase == Case::Dative || x.grammaticalCase == Case::Oblique)) ||
                    x.pos == Pos::Postposition || x.pos == Pos::Adverb || x.pos == Pos::Infinitive)
                    attach(i, sentence, Role::Adverbial);
                else if (x.pos == Pos::Negation)
                    attach(i, sentence, Role::Negation);
                else if (x.pos == Pos::Prefix && r[size_t(sentence)].pos == Pos::Verb)
                    attach(i, sentence, Role::Prefix);
            } else if (x.pos == Pos::Adverb || x.pos == Pos::Negation) {
                for (int j = 0; j < n; ++j)
                    if (r[size_t(j)].pos == Pos::Adjective && j != i) {
                        attach(i, j, x.pos == Pos::Adverb ? Role::Degree : Role::Negation);
                        break;
                    }
            }
        }
        // A particle goes with a word of content, after it.
        for (int i = 0; i < n; ++i)
            if (freeWord(i) && words[size_t(i)].function == Function::Particle)
                for (int j = 0; j < n; ++j)
                    if (j != i && words[size_t(j)].function == Function::None && !articleWord(j) &&
                        r[size_t(j)].pos != Pos::Conjunction) {
                        attach(i, j, Role::Particle);
                        break;
                    }
    }

    int rootOf(int i) const
    {
        for (int steps = 0; head[size_t(i)] >= 0 && steps < n; ++steps)
            i = head[size_t(i)];
        return i;
    }

    // A conjunction between two phrases: each one that has two to join
    // makes them one. Groups of roots and joiners, in their reading's order.
    struct Group
    {
        std::array<int8_t, Words> items{};
        int size = 0;
        int words = 0;
    };
    std::array<Group, Words> groups{};
    int groupCount = 0;

    void join()
    {
        groupCount = 0;
        std::array<bool, Words> joiner{};
        for (int i = 0; i < n; ++i) {
            const Function f = words[size_t(i)].function;
            joiner[size_t(i)] = freeWord(i) && r[size_t(i)].pos == Pos::Conjunction && f != Function::Particle;
        }
        const auto open = [&](int i, int size) {
            if (groupCount == Words)
                return;
            Group &g = groups[size_t(groupCount++)];
            g.size = 1;
            g.items[0] = int8_t(i);
            g.words = size;
        };
        for (int i = 0; i < n; ++i)
            if (freeWord(i) && !joiner[size_t(i)]) {
                int size = 0;
                for (int j = 0; j < n; ++j)
                    size += rootOf(j) == i;
                open(i, size);
            }
        // Which groups go first: a verb's, then the larger; as found among equals.
        const auto weight = [&](const Group &g) {
            int verbs = 0;
            for (int k = 0; k < g.size; ++k)
                verbs += r[size_t(g.items[size_t(k)])].pos == Pos::Verb;
            return verbs * 16 + g.words;
        };
        for (int i = 1; i < groupCount; ++i)
            for (int j = i; j > 0 && weight(groups[size_t(j)]) > weight(groups[size_t(j - 1)]); --j)
                std::swap(groups[size_t(j)], groups[size_t(j - 1)]);
        for (int c = 0; c < n; ++c) {
            if (!joiner[size_t(c)])
                continue;
            if (groupCount < 2) {
                open(c, 1); // nothing to join: it stands alone
                continue;
            }
            Group &first = groups[0];
            const Group second = groups[1];
            if (first.size + 1 + second.size > Words)
                continue;
            first.items[size_t(first.size++)] = int8_t(c);
            for (int k = 0; k < second.size; ++k)
                first.items[size_t(first.size++)] = second.items[size_t(k)];
            first.words += second.words + 1;
            role[size_t(c)] = Role::Joiner;
            for (int g = 1; g + 1 < groupCount; ++g)
                groups[size_t(g)] = groups[size_t(g + 1)];
            --groupCount;
        }
    }

    // The words in the reading's order.
    std::array<int8_t, Words> order{};
    int placed = 0;

    void put(int i)
    {
        if (placed < n)
            order[size_t(placed++)] = int8_t(i);
    }

    void children(int h, Role as, bool withOwn)
    {
        for (int j = 0; j < n; ++j)
            if (head[size_t(j)] == h && role[size_t(j)] == as)
                withOwn ? emit(j) : put(j);
    }

    void emit(int h)
    {
        const Pos p = r[size_t(h)].pos;
        // An article before its phrase, the attribute it agrees with first.
        const int a = article[size_t(h)];
        if (a >= 0)
            put(a);
        children(h, Role::Possessor, true);
        children(h, Role::Subject, true);
        children(h, Role::Negation, false);
        children(h, Role::Degree, false);
        children(h, Role::Complement, true);
        int first = -1;
        for (int j = 0; j < n && a >= 0; ++j)
            if (head[size_t(j)] == h && role[size_t(j)] == Role::Attribute &&
                words[size_t(j)].vowel == (words[size_t(a)].function == Function::ArticleAz))
                first = j;
        if (first >= 0)
            emit(first);
        for (int j = 0; j < n; ++j)
            if (head[size_t(j)] == h && role[size_t(j)] == Role::Attribute && j != first)
                emit(j);
        put(h);
        children(h, Role::Particle, false);
        if (p == Pos::Verb)
            children(h, Role::Prefix, false);
        children(h, Role::Object, true);
        children(h, Role::Adverbial, true);
    }

    void linearize()
    {
        placed = 0;
        std::array<bool, Words> seen{};
        for (int g = 0; g < groupCount; ++g)
            for (int k = 0; k < groups[size_t(g)].size; ++k) {
                const int i = groups[size_t(g)].items[size_t(k)];
                if (role[size_t(i)] == Role::Joiner)
                    put(i);
                else
                    emit(i);
            }
        // Each word once, whatever the reading left unplaced.
        for (int k = 0; k < placed; ++k)
            seen[size_t(order[size_t(k)])] = true;
        for (int i = 0; i < n && placed < n; ++i)
            if (!seen[size_t(i)])
                put(i);
    }
};

} // namespace

Phrase arrange(std::span<const PhraseWord> words)
{
    Parse parse;
    parse.words = words;
    parse.n = int(std::min(words.size(), size_t(Words)));
    const int n = parse.n;
    // Every choice of readings, the plainest first, as many as are few.
    std::array<int, Words> pick{};
    Phrase best;
    bool any = false;
    for (int tried = 0; tried < 256; ++tried) {
        for (int i = 0; i < n; ++i)
            parse.r[size_t(i)] = words[size_t(i)].readings[size_t(pick[size_t(i)])];
        bool verb = false;
        int adjective = -1;
        for (int i = 0; i < n; ++i) {
            verb |= parse.r[size_t(i)].pos == Pos::Verb || parse.r[size_t(i)].pos == Pos::Infinitive;
            if (parse.r[size_t(i)].pos == Pos::Adjective)
                adjective = i;
        }
        // With no verb, the last adjective may be the predicate: a sentence
        // says more than a noun phrase as good.
        for (const int predicate : {verb ? -1 : adjective, -1}) {
            parse.run(predicate);
            parse.join();
            Phrase p;
            const int fragments = parse.groupCount;
            p.fragments = fragments;
            p.errors = parse.errors;
            p.cost = PhraseScore::Fragment * std::max(0, fragments - 1) + PhraseScore::Error * parse.errors + parse.soft;
            if (!any || p.cost < best.cost) {
                parse.linearize();
                p.order = parse.order;
                best = p;
                any = true;
            }
            if (verb || adjective < 0 || best.cost == 0)
                break;
        }
        if (best.cost == 0)
            break; // nothing reads better than a whole reading without a slip
        int i = 0;
        while (i < n && ++pick[size_t(i)] >= words[size_t(i)].readingCount)
            pick[size_t(i++)] = 0;
        if (i == n)
            break;
    }
    return best;
}

PhraseMemo::PhraseMemo() : table_(size_t(1) << 14) {}

Phrase PhraseMemo::arrange(std::span<const PhraseWord> words)
{
    // Up to five kinds of 24 bits and their count: 128 bits, the key itself.
    std::array<uint64_t, 2> key{0, uint64_t(words.size()) << 56};
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i].kind == PhraseWord::Unique || i >= size_t(Words))
            return finder::arrange(words);
        const uint64_t kind = words[i].kind;
        const size_t bit = 24 * i;
        key[bit / 64] |= kind << (bit % 64);
        if (bit % 64 > 40)
            key[1] |= kind >> (64 - bit % 64);
    }
    const uint64_t hash = (key[0] ^ key[1] * 0x9E3779B97F4A7C15ull) * 0xBF58476D1CE4E5B9ull;
    Entry &e = table_[size_t(hash >> 50) & (table_.size() - 1)];
    if (e.key[0] != key[0] || e.key[1] != key[1]) {
        e.phrase = finder::arrange(words);
        e.key[0] = key[0];
        e.key[1] = key[1];
    }
    return e.phrase;
}

} // namespace finder
