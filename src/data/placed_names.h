#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

// A name taken out of an ordered list of names, with the place (from 0) it had there.
struct PlacedName {
    size_t place = 0;
    std::string name;
};

// Removes every entry of list that names holds, in one pass, and returns them with their
// places, in list order.
template <typename List>
std::vector<PlacedName> TakeNames(List& list, const std::unordered_set<std::string>& names) {
    std::vector<PlacedName> taken;
    size_t kept = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (names.count(list[i]) != 0) {
            taken.push_back({i, std::move(list[i])});
        } else {
            if (kept != i)
                list[kept] = std::move(list[i]);
            ++kept;
        }
    }
    list.resize(kept);
    return taken;
}

// Puts what TakeNames took back at its places, in one pass. list must be as TakeNames left it;
// a place beyond the end (the list shrank since) appends the name.
template <typename List>
void PutNamesBack(List& list, const std::vector<PlacedName>& taken) {
    if (taken.empty())
        return;
    List merged;
    size_t next = 0;
    for (const PlacedName& entry : taken) {
        while (merged.size() < entry.place && next < list.size())
            merged.push_back(std::move(list[next++]));
        merged.push_back(entry.name);
    }
    while (next < list.size())
        merged.push_back(std::move(list[next++]));
    list = std::move(merged);
}
