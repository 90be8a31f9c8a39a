// Varnelle documentation: the handout's parts, taken from the exercises'
// page as make stations fills it. Each exercise's question, with room to
// answer, and its answer, apart, as HTML for lessons/handout.html.in.
#pragma once

#include <string>

// The little Markdown the exercises are written in, as HTML: paragraphs,
// lists of "- " items, fenced code blocks, code spans, bold, links, and
// lines of HTML (an image) kept as they are.
std::string markdownHtml(const std::string& markdown);

// The exercises' questions and their answers, each exercise a section:
// the text under each "## " heading before its <details>, and the text
// inside them after their <summary>.
struct HandoutParts {
    std::string questions;
    std::string answers;
};
HandoutParts handoutParts(const std::string& exercisesPage);
