#include "platform/StartupTaskXml.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

// ASCII as it is, anything else as \uXXXX, so that std::regex can read it.
std::string Narrow(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text) {
        char code[8] = {static_cast<char>(c)};
        if (c >= 0x80)
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
        out += code;
    }
    return out;
}

// The texts of the elements by their paths ("Task/Settings/Enabled"), with
// the entities resolved; none when the document is not well formed as far as
// this reads it: each element closed in order, attributes quoted, no raw '&',
// '<' or '>' in a text.
std::optional<std::map<std::string, std::string>> ElementTexts(const std::string& xml)
{
    static const std::regex kTag(R"(<(/?)(\w+)(?: \w+="[^"<>&]*")*>)");
    static const std::regex kText(R"(([^<>&]|&(amp|lt|gt|quot|apos);)*)");
    static const std::map<std::string, std::string> kEntities = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}};
    std::map<std::string, std::string> texts;
    std::vector<std::string> open;
    const std::string body = xml.substr(xml.find("?>") + 2);
    std::string rest = body;
    for (std::sregex_iterator it(body.begin(), body.end(), kTag), end; it != end; ++it) {
        std::string text = it->prefix();
        rest = it->suffix();
        if (!std::regex_match(text, kText))
            return std::nullopt;
        if ((*it)[1].length() == 0) {
            open.push_back((*it)[2]);
            continue;
        }
        if (open.empty() || open.back() != (*it)[2])
            return std::nullopt;
        for (const auto& [entity, character] : kEntities)
            for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
                text.replace(at, entity.size(), character);
        std::string path;
        for (const std::string& name : open)
            path += (path.empty() ? "" : "/") + name;
        texts[path] = text;
        open.pop_back();
    }
    if (!open.empty() || rest.find_first_not_of('\n') != std::string::npos)
        return std::nullopt;
    return texts;
}

TEST(StartupTaskXml, StartsTheProgramAtItsUsersLogOnElevatedOnBatteryWithoutLimitAndEscapesItsPath)
{
    // Spaces, markup characters, quotes and a code-page letter.
    const std::u16string path = u"C:\\Tools & <More> \"Q\" 'A' caf\u00E9\\Tolvi.exe";
    const std::string xml = Narrow(BuildStartupTaskXml(path, u"/auto", u"S-1-5-21-7-7-7-1001"));
    EXPECT_TRUE(
        xml.starts_with("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                        "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"))
        << xml;
    const auto texts = ElementTexts(xml);
    ASSERT_TRUE(texts) << xml;
    const std::map<std::string, std::string> expected = {
        {"Task/Triggers/LogonTrigger/Enabled", "true"},
        {"Task/Triggers/LogonTrigger/UserId", "S-1-5-21-7-7-7-1001"},
        {"Task/Principals/Principal/UserId", "S-1-5-21-7-7-7-1001"},
        {"Task/Principals/Principal/LogonType", "InteractiveToken"},
        {"Task/Principals/Principal/RunLevel", "HighestAvailable"},
        {"Task/Settings/MultipleInstancesPolicy", "IgnoreNew"},
        {"Task/Settings/DisallowStartIfOnBatteries", "false"},
        {"Task/Settings/StopIfGoingOnBatteries", "false"},
        {"Task/Settings/ExecutionTimeLimit", "PT0S"},
        {"Task/Settings/Priority", "5"},
        {"Task/Settings/Enabled", "true"},
        {"Task/Actions/Exec/Command", Narrow(path)},
        {"Task/Actions/Exec/Arguments", "/auto"},
    };
    for (const auto& [element, text] : expected)
        EXPECT_EQ(texts->count(element) ? texts->at(element) : "(none)", text) << element;

    const auto plain = ElementTexts(Narrow(BuildStartupTaskXml(u"C:\\Tolvi\\Tolvi.exe", u"", u"S-1-5-21-7-7-7-1001")));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->at("Task/Actions/Exec/Command"), "C:\\Tolvi\\Tolvi.exe");
    EXPECT_EQ(plain->count("Task/Actions/Exec/Arguments"), 0u);
}

} // namespace
