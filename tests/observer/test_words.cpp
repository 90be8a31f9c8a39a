// The words of the pictures and the pages, one table per language: every
// language has every word, with the same {N} pieces as English's, so that
// no picture or page is left with a gap or an English word.
#include <cstring>
#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "observer_words.h"
#include "page_words.h"

namespace {

// The {N} pieces a pattern takes, each once.
std::set<std::string> pieces(const char* pattern)
{
    std::set<std::string> found;
    std::string text = pattern;
    const std::regex piece(R"(\{[0-9]+\})");
    for (std::sregex_iterator i(text.begin(), text.end(), piece), end; i != end; ++i) {
        found.insert(i->str());
    }
    return found;
}

// Every word of every language against English's (the first table).
template <typename Language, size_t count>
void expectEveryWord(const Language* const* languages, int languageCount)
{
    const Language& english = *languages[0];
    for (int l = 0; l < languageCount; ++l) {
        for (size_t w = 0; w < count; ++w) {
            const char* word = languages[l]->words[w];
            ASSERT_TRUE(word != nullptr && std::strlen(word) > 0) << languages[l]->code << ", word " << w;
            EXPECT_EQ(pieces(word), pieces(english.words[w])) << languages[l]->code << ": " << word;
        }
    }
}

TEST(Words, EveryLanguageHasEveryWordWithItsPieces)
{
    expectEveryWord<ObserverLanguage, observerWordCount>(observerLanguages, observerLanguageCount);
    expectEveryWord<PageLanguage, pageWordCount>(pageLanguages, pageLanguageCount);
    // The check fails a word a language lacks a piece of.
    EXPECT_NE(pieces("near {0}"), pieces("proche"));
}

} // namespace
