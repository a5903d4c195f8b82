// The help file: registered for the device's \windows folder under the name
// the Help command opens, self-contained HTML5 whose elements nest properly,
// and it speaks of the program's own modes and commands.

#include "owebook/res/ResourceTables.h"
#include "platform/system/devicefiles/DeviceFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

std::string HelpText()
{
    RegisterHelpFile();
    for (const platform::DeviceFile& file : platform::DeviceFiles())
        if (file.name == "Owebook.htm")
            return std::string(reinterpret_cast<const char*>(file.data), file.size);
    return {};
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Walks the tags: every element that needs an end tag is closed, in order.
// Returns the first fault, or an empty text.
std::string NestingFault(const std::string& html, std::set<std::string>& ids, std::vector<std::string>& links)
{
    static const std::set<std::string> kVoid = {"meta", "br", "hr", "img", "link", "input", "wbr"};
    std::vector<std::string> open;
    size_t pos = 0;
    while ((pos = html.find('<', pos)) != std::string::npos) {
        const size_t end = html.find('>', pos);
        if (end == std::string::npos)
            return "unterminated tag";
        std::string tag = html.substr(pos + 1, end - pos - 1);
        pos = end + 1;
        if (tag.rfind("!", 0) == 0)
            continue;   // doctype, comments
        const bool closing = tag[0] == '/';
        const std::string body = closing ? tag.substr(1) : tag;
        const std::string name = Lower(body.substr(0, body.find_first_of(" \t\n")));
        for (size_t on = body.find(" on"); on != std::string::npos; on = body.find(" on", on + 1)) {
            size_t letters = on + 3;
            while (letters < body.size() && std::isalpha(static_cast<unsigned char>(body[letters])))
                ++letters;
            if (letters < body.size() && body[letters] == '=')
                return "<" + name + "> has an event handler";
        }
        if (closing) {
            if (open.empty() || open.back() != name)
                return "</" + name + "> closes " + (open.empty() ? "nothing" : "<" + open.back() + ">");
            open.pop_back();
            continue;
        }
        for (const char* attribute : {" id=\"", " href=\""}) {
            const size_t at = body.find(attribute);
            if (at == std::string::npos)
                continue;
            const size_t from = at + std::string(attribute).size();
            const std::string value = body.substr(from, body.find('"', from) - from);
            (attribute[1] == 'i' ? static_cast<void>(ids.insert(value)) : links.push_back(value));
        }
        if (!kVoid.count(name))
            open.push_back(name);
        if (name == "style" || name == "script") {   // raw text up to its end tag
            pos = html.find("</" + name, pos);
            if (pos == std::string::npos)
                return "unclosed <" + name + ">";
        }
    }
    return open.empty() ? std::string() : "unclosed <" + open.back() + ">";
}

}  // namespace

TEST(HelpFile, IsSelfContainedHtml5)
{
    const std::string html = HelpText();
    ASSERT_FALSE(html.empty()) << "Owebook.htm is a registered device file";
    const std::string lower = Lower(html);
    EXPECT_EQ(lower.rfind("<!doctype html>", 0), 0u);
    EXPECT_NE(lower.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(lower.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(lower.find("<title>using owebook</title>"), std::string::npos);
    // Nothing that runs, and nothing fetched from elsewhere.
    for (const char* banned : {"<script", "javascript:", "src=", "url(", "@import", "<link", "<iframe", "http:",
                               "https:", "<object", "<embed"})
        EXPECT_EQ(lower.find(banned), std::string::npos) << banned;
    for (unsigned char c : html)
        ASSERT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << "plain ASCII, entities for the rest: " << int(c);

    std::set<std::string> ids;
    std::vector<std::string> links;
    EXPECT_EQ(NestingFault(html, ids, links), "");
    ASSERT_FALSE(links.empty());
    for (const std::string& link : links) {
        ASSERT_EQ(link.rfind("#", 0), 0u) << link << ": only links within the page";
        EXPECT_TRUE(ids.count(link.substr(1))) << link << " leads nowhere";
    }
}

TEST(HelpFile, NamesTheProgramsOwnModesAndCommands)
{
    const std::string html = HelpText();
    for (const char* text : {"What I Owe", "What's Owed to Me", "What's Due", "All Items", "IOU", "UOMe",
                             "All Categories", "All Money", "No Category", "Edit Categories...", "IsMoney",
                             "Owebook Reminder", "Snooze", "Item Returned", "Remind Me", "Dates and Alarms",
                             "Details", "Delete...", "Home"})
        EXPECT_NE(html.find(text), std::string::npos) << text;
}
