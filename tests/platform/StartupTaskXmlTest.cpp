#include "platform/StartupTaskXml.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// Readable in a failure message; anything beyond ASCII as \uXXXX.
std::string Printable(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
            out += code;
        }
    }
    return out;
}

// The texts of a document's elements by their paths ("Task/Settings/Enabled"),
// entities resolved; empty when the document is not well formed as far as
// this reads it: every element closed in order, attribute values quoted, no
// raw '&', '<' or '>' in a text.
std::optional<std::map<std::string, std::u16string>> ElementTexts(std::u16string_view xml)
{
    static const std::map<std::u16string, char16_t> kEntities = {
        {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}};
    std::map<std::string, std::u16string> texts;
    std::vector<std::string> open;
    std::u16string text;
    const auto path = [&open] {
        std::string joined;
        for (const std::string& name : open)
            joined += (joined.empty() ? "" : "/") + name;
        return joined;
    };
    std::size_t k = 0;
    if (xml.substr(0, 5) == u"<?xml")
        k = xml.find(u"?>") + 2;
    while (k < xml.size()) {
        const char16_t c = xml[k];
        if (c == u'&') {
            const std::size_t end = xml.find(u';', k);
            const auto entity = end == std::u16string_view::npos
                                    ? kEntities.end()
                                    : kEntities.find(std::u16string(xml.substr(k + 1, end - k - 1)));
            if (entity == kEntities.end())
                return std::nullopt;
            text += entity->second;
            k = end + 1;
        } else if (c == u'>') {
            return std::nullopt;
        } else if (c != u'<') {
            text += c;
            ++k;
        } else {
            const std::size_t end = xml.find(u'>', k);
            if (end == std::u16string_view::npos)
                return std::nullopt;
            std::u16string_view tag = xml.substr(k + 1, end - k - 1);
            const bool bClosing = tag.starts_with(u'/');
            const std::size_t nameEnd = tag.find(u' ');
            const std::string name = Printable(tag.substr(bClosing ? 1 : 0, nameEnd - (bClosing ? 1 : 0)));
            const std::u16string_view attributes = nameEnd == std::u16string_view::npos ? u"" : tag.substr(nameEnd);
            std::size_t quotes = 0;
            for (const char16_t a : attributes)
                quotes += a == u'"' ? 1 : 0;
            if (quotes % 2 != 0 || attributes.find(u'<') != std::u16string_view::npos)
                return std::nullopt;
            if (bClosing) {
                if (open.empty() || open.back() != name)
                    return std::nullopt;
                if (text.find_first_not_of(u" \n") != std::u16string::npos)
                    texts[path()] = text;
                open.pop_back();
            } else {
                open.push_back(name);
            }
            text.clear();
            k = end + 1;
        }
    }
    if (!open.empty() || text.find_first_not_of(u" \n") != std::u16string::npos)
        return std::nullopt;
    return texts;
}

TEST(StartupTaskXml, StartsTheProgramAtLogOnElevatedOnBatteryWithoutLimitAndEscapesItsPath)
{
    // Spaces, markup characters, quotes and a code-page letter (U+00E9).
    const std::u16string path = u"C:\\Tools & <More> \"Q\" 'A' caf\u00E9\\Tolvi.exe";
    const std::u16string xml = BuildStartupTaskXml(path, u"/auto");
    const std::u16string declaration = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>";
    EXPECT_EQ(xml.substr(0, declaration.size()), declaration);
    EXPECT_NE(xml.find(u"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"),
              std::u16string::npos);
    const auto texts = ElementTexts(xml);
    ASSERT_TRUE(texts) << Printable(xml);
    const struct {
        const char* path;
        std::u16string text;
    } expected[] = {
        {"Task/Triggers/LogonTrigger/Enabled", u"true"},
        {"Task/Principals/Principal/LogonType", u"InteractiveToken"},
        {"Task/Principals/Principal/RunLevel", u"HighestAvailable"},
        {"Task/Settings/MultipleInstancesPolicy", u"IgnoreNew"},
        {"Task/Settings/DisallowStartIfOnBatteries", u"false"},
        {"Task/Settings/StopIfGoingOnBatteries", u"false"},
        {"Task/Settings/ExecutionTimeLimit", u"PT0S"},
        {"Task/Settings/Enabled", u"true"},
        {"Task/Actions/Exec/Command", path},
        {"Task/Actions/Exec/Arguments", u"/auto"},
    };
    for (const auto& e : expected) {
        const auto found = texts->find(e.path);
        ASSERT_NE(found, texts->end()) << e.path;
        EXPECT_EQ(Printable(found->second), Printable(e.text)) << e.path;
    }
    EXPECT_EQ(texts->count("Task/Triggers/LogonTrigger/UserId"), 0u) << "every user's log-on";
    EXPECT_EQ(texts->count("Task/Principals/Principal/UserId"), 0u) << "the registering user";
    // The path's characters reach the document only escaped.
    EXPECT_NE(xml.find(u"Tools &amp; &lt;More&gt; &quot;Q&quot; &apos;A&apos; caf\u00E9"), std::u16string::npos);

    // Without arguments there is no Arguments element at all.
    const auto plain = ElementTexts(BuildStartupTaskXml(u"C:\\Tolvi\\Tolvi.exe", u""));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->count("Task/Actions/Exec/Arguments"), 0u);
    EXPECT_EQ(Printable(plain->at("Task/Actions/Exec/Command")), "C:\\Tolvi\\Tolvi.exe");
}

} // namespace
