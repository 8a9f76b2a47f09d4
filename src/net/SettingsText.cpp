#include "net/SettingsText.h"

std::vector<std::string> SettingsItems(std::string_view data, bool bMultiString)
{
    data = data.substr(0, bMultiString ? data.find(std::string_view("\0\0", 2)) : data.find('\0'));
    static constexpr std::string_view kSeparators(" ,\0", 3);
    std::vector<std::string> items;
    for (std::size_t start = data.find_first_not_of(kSeparators); start != std::string_view::npos;) {
        const std::size_t end = data.find_first_of(kSeparators, start);
        items.emplace_back(data.substr(start, end - start));
        start = data.find_first_not_of(kSeparators, end);
    }
    return items;
}
