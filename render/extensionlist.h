#pragma once

#include <cstring>

// Whether a space-separated extension list (GL's or EGL's) names the extension as a whole
// word: a plain substring search would take one name for a longer one that begins with it.
inline bool hasextension(const char* list, const char* name) {
    if (list == nullptr) return false;
    const size_t length = std::strlen(name);
    for (const char* p = std::strstr(list, name); p != nullptr; p = std::strstr(p + 1, name)) {
        const bool startsword = p == list || p[-1] == ' ';
        if (startsword && (p[length] == ' ' || p[length] == '\0')) return true;
    }
    return false;
}
