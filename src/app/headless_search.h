#pragma once

#include <string>
#include <vector>

// locuscope --search TEXT FILE...: imports the files as the Import command does, then runs the
// attribute search. Standard error gets every status line of both, standard output one line
// per hit in result order ("hit", pane, track, start, end, attribute; tab-separated, the
// attribute whole) and then "hits" and the count. Returns the exit status: 0, or 1 when a file
// failed to import (the search still runs over what was loaded).
class HeadlessSearch {
public:
    static int Run(const std::string& text, const std::vector<std::string>& paths);
};
