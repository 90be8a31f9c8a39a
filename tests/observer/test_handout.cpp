// The handout's converter: the little Markdown the exercises are written
// in, as HTML, and the exercises' page split into questions and answers.
#include <string>

#include <gtest/gtest.h>

#include "handout.h"

namespace {

struct Conversion {
    const char* what;
    const char* markdown;
    const char* html;
};

const Conversion conversions[] = {
    {"a paragraph of two lines", "one\ntwo\n", "<p>one two</p>\n"},
    {"code spans, escaped", "Try `a < b` & see.", "<p>Try <code>a &lt; b</code> &amp; see.</p>\n"},
    {"a link, its address escaped", "[the page](http://h/?a=1&b=2).",
     "<p><a href=\"http://h/?a=1&amp;b=2\">the page</a>.</p>\n"},
    {"bold", "**Station 0** is", "<p><strong>Station 0</strong> is</p>\n"},
    {"a list, an item going on", "- red: (1, 2)\n- green\n  and more\n",
     "<ul>\n<li>red: (1, 2)</li>\n<li>green and more</li>\n</ul>\n"},
    {"a list after a paragraph", "Every tip:\n\n- red\n\nAfter.",
     "<p>Every tip:</p>\n<ul>\n<li>red</li>\n</ul>\n<p>After.</p>\n"},
    {"a fenced block, as it is", "```\n|  1 < 2 |\n```\n", "<pre><code>|  1 &lt; 2 |\n</code></pre>\n"},
    {"a line of HTML, as it is", "<img src=\"a.png\" alt=\"x\">\n", "<img src=\"a.png\" alt=\"x\">\n"},
};

TEST(Handout, WritesTheExercisesMarkdownAsHtml)
{
    for (const Conversion& c : conversions) {
        EXPECT_EQ(markdownHtml(c.markdown), c.html) << c.what;
    }
}

TEST(Handout, SplitsEachExerciseIntoQuestionAndAnswer)
{
    const std::string page = "<!-- written -->\n# Exercises\n\nIntro.\n\n"
                             "## 1. First\n\nAsk one.\n\n<details>\n<summary>Answer</summary>\n\n"
                             "Answer one.\n\n</details>\n\n"
                             "## 2. Second\n\nAsk two.\n\n<details>\n<summary>Answer</summary>\n\n"
                             "Answer two.\n\n</details>\n";
    HandoutParts parts = handoutParts(page);
    EXPECT_EQ(parts.questions, "<section class=\"question\">\n<h2>1. First</h2>\n<p>Ask one.</p>\n"
                               "<div class=\"room\"></div>\n</section>\n"
                               "<section class=\"question\">\n<h2>2. Second</h2>\n<p>Ask two.</p>\n"
                               "<div class=\"room\"></div>\n</section>\n");
    EXPECT_EQ(parts.answers, "<section class=\"answer\">\n<h3>1. First</h3>\n<p>Answer one.</p>\n"
                             "</section>\n<section class=\"answer\">\n<h3>2. Second</h3>\n"
                             "<p>Answer two.</p>\n</section>\n");
}

} // namespace
