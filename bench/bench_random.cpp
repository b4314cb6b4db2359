// The seeded generator and the vocabulary of the benchmark game.
#include "bench/bench_random.h"

namespace bench {

namespace {

constexpr const char* Vocabulary[] = {
    "the",     "of",     "and",       "to",      "in",       "a",           "is",         "that",    "for",
    "it",      "as",     "was",       "with",    "be",       "by",          "on",         "not",     "he",
    "this",    "are",    "or",        "his",     "from",     "at",          "which",      "but",     "have",
    "an",      "had",    "they",      "you",     "were",     "their",       "one",        "all",     "we",
    "can",     "her",    "has",       "there",   "been",     "if",          "more",       "when",    "will",
    "would",   "who",    "so",        "no",      "temple",   "house",       "ashlands",   "guard",   "scroll",
    "silver",  "blood",  "border",    "bargain", "black",    "brother",     "council",    "mage",    "guild",
    "fighter", "thief",  "legion",    "emperor", "island",   "vvardenfell", "mountain",   "ghost",   "fence",
    "netch",   "kwama",  "egg",       "mine",    "ancestor", "tomb",        "shrine",     "pilgrim", "journal",
    "quest",   "reward", "gold",      "drake",   "ebony",    "glass",       "daedric",    "armor",   "blade",
    "bow",     "bread",  "boots",     "belt",    "book",     "bottle",      "bowl",       "basket",  "barrel",
    "bed",     "bench",  "bridge",    "bay",     "beach",    "bull",        "bear",       "bone",    "burial",
    "bank",    "bell",   "dream",     "sleeper", "dagoth",   "sixth",       "tribunal",   "almsivi", "vivec",
    "sotha",   "ald",    "balmora",   "caldera", "pelagiad", "seyda",       "neen",       "suran",   "molag",
    "mar",     "gnisis", "maar",      "gan",     "sadrith",  "mora",        "tel",        "vos",     "khuul",
    "dagon",   "fel",    "ebonheart", "hla",     "oad",      "speak",       "travel",     "buy",     "sell",
    "train",   "repair", "spell",     "enchant", "potion",   "ingredient",  "north",      "south",   "east",
    "west",    "road",   "river",     "lake",    "cave",     "ruin",        "stronghold",
};

constexpr const char* Syllables[] = {
    "ar",  "ben", "dra", "el",  "fa",  "gal", "hel", "ir",  "jo",  "ka",  "lor", "mir", "nel", "or",  "pa",
    "quo", "ral", "sel", "tar", "ul",  "var", "wen", "xa",  "yr",  "zan", "bal", "dur", "eth", "fen", "gor",
    "ith", "mor", "nar", "om",  "ros", "sul", "thu", "vel", "bri", "cas", "dor", "ves", "ald", "ban", "bor",
};

template <typename T, std::size_t N>
constexpr int Count_Of(const T (&)[N])
{
    return static_cast<int>(N);
}

}  // namespace

std::uint64_t Next_Bits(Random& random)
{
    std::uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Below(Random& random, int count)
{
    if (count < 1) return 0;
    return static_cast<int>(Next_Bits(random) % static_cast<std::uint64_t>(count));
}

int Between(Random& random, int low, int high) { return low + Below(random, high - low + 1); }

bool Chance(Random& random, int percent) { return Below(random, 100) < percent; }

std::string Word(Random& random) { return Vocabulary[Below(random, Count_Of(Vocabulary))]; }

std::string Prose(Random& random, int count)
{
    std::string text;
    text.reserve(static_cast<size_t>(count) + 16);
    bool capital = true;
    while (static_cast<int>(text.size()) < count) {
        std::string word = Word(random);
        if (capital) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        text += word;
        capital = Chance(random, 8);
        text += capital ? ". " : " ";
    }
    text.resize(static_cast<size_t>(count));
    return text;
}

std::string Person_Name(Random& random)
{
    std::string name;
    const int parts = Between(random, 2, 3);
    for (int i = 0; i < parts; ++i) name += Syllables[Below(random, Count_Of(Syllables))];
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

}  // namespace bench
