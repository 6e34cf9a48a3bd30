#include "rtf/rtfkeywords.h"

#include <unordered_map>

TRtfKw LookupRtfKeyword(std::string_view word) {
    static const std::unordered_map<std::string_view, TRtfKw> table = {
#define QUILLON_RTF_ENTRY(name) {#name, TRtfKw::k_##name},
        QUILLON_RTF_KEYWORDS(QUILLON_RTF_ENTRY)
#undef QUILLON_RTF_ENTRY
    };
    const auto it = table.find(word);
    return it == table.end() ? TRtfKw::Unknown : it->second;
}
