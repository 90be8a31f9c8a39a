// Varnelle documentation: the handout's parts, the exercises' Markdown split
// into questions and answers and written as HTML.
#include "handout.h"

#include <sstream>
#include <vector>

namespace {

const char fence[] = "```";
const char item[] = "- ";
const char heading[] = "## ";
const char detailsOpen[] = "<details>";
const char summaryOpen[] = "<summary";
const char detailsClose[] = "</details>";

bool startsWith(const std::string& line, const std::string& start)
{
    return line.compare(0, start.size(), start) == 0;
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    }
    return out;
}

// Bold and links in text outside code spans, already escaped.
std::string marked(const std::string& text)
{
    std::string out;
    bool bold = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "**") == 0) {
            out += bold ? "</strong>" : "<strong>";
            bold = !bold;
            ++i;
            continue;
        }
        size_t close = text.find("](", i);
        size_t end = close == std::string::npos ? close : text.find(')', close);
        if (text[i] == '[' && end != std::string::npos && text.find('[', i + 1) > close) {
            out += "<a href=\"" + text.substr(close + 2, end - close - 2) + "\">" +
                   marked(text.substr(i + 1, close - i - 1)) + "</a>";
            i = end;
            continue;
        }
        out += text[i];
    }
    return out;
}

// One paragraph's or item's text: code spans kept as they are, the rest
// marked.
std::string inlineHtml(const std::string& text)
{
    std::string out;
    std::istringstream pieces(text);
    std::string piece;
    bool code = false;
    while (std::getline(pieces, piece, '`')) {
        out += code ? "<code>" + escaped(piece) + "</code>" : marked(escaped(piece));
        code = !code;
    }
    return out;
}

} // namespace

std::string markdownHtml(const std::string& markdown)
{
    std::istringstream lines(markdown);
    std::string line;
    std::string out;
    std::string paragraph;
    std::vector<std::string> items;
    auto flush = [&] {
        if (!paragraph.empty()) {
            out += "<p>" + inlineHtml(paragraph) + "</p>\n";
            paragraph.clear();
        }
        if (!items.empty()) {
            out += "<ul>\n";
            for (const std::string& i : items) {
                out += "<li>" + inlineHtml(i) + "</li>\n";
            }
            out += "</ul>\n";
            items.clear();
        }
    };
    while (std::getline(lines, line)) {
        if (startsWith(line, fence)) {
            flush();
            out += "<pre><code>";
            while (std::getline(lines, line) && !startsWith(line, fence)) {
                out += escaped(line) + "\n";
            }
            out += "</code></pre>\n";
        } else if (line.empty()) {
            flush();
        } else if (startsWith(line, "<")) {
            flush();
            out += line + "\n";
        } else if (startsWith(line, item)) {
            if (!paragraph.empty()) {
                flush();
            }
            items.push_back(line.substr(sizeof item - 1));
        } else if (!items.empty() && startsWith(line, "  ")) {
            items.back() += " " + line.substr(line.find_first_not_of(' '));
        } else {
            if (!items.empty()) {
                flush();
            }
            paragraph += (paragraph.empty() ? "" : " ") + line;
        }
    }
    flush();
    return out;
}

HandoutParts handoutParts(const std::string& exercisesPage)
{
    HandoutParts parts;
    std::istringstream lines(exercisesPage);
    std::string line;
    std::string title;
    std::string question;
    std::string answer;
    enum { before, asking, answering, after } part = before;
    auto close = [&] {
        if (title.empty()) {
            return;
        }
        parts.questions += "<section class=\"question\">\n<h2>" + escaped(title) + "</h2>\n" +
                           markdownHtml(question) + "<div class=\"room\"></div>\n</section>\n";
        parts.answers += "<section class=\"answer\">\n<h3>" + escaped(title) + "</h3>\n" +
                         markdownHtml(answer) + "</section>\n";
        question.clear();
        answer.clear();
    };
    while (std::getline(lines, line)) {
        if (startsWith(line, heading)) {
            close();
            title = line.substr(sizeof heading - 1);
            part = asking;
        } else if (part == asking && startsWith(line, detailsOpen)) {
            part = answering;
        } else if (part == answering && startsWith(line, summaryOpen)) {
            answer.clear();
        } else if (part == answering && startsWith(line, detailsClose)) {
            part = after;
        } else if (part == asking) {
            question += line + "\n";
        } else if (part == answering) {
            answer += line + "\n";
        }
    }
    close();
    return parts;
}
