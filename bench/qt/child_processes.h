#pragma once

// The processes whose parent is a given one (Linux: read from /proc; elsewhere none), for the
// benchmarks that count the memory of the program together with its renderer processes.

#include <QDir>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace kargolo {

inline std::vector<long> ChildProcesses(long pid) {
    std::vector<long> children;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const long child = name.toLong(&number);
        if (!number) continue;
        std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
        const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const std::size_t close = text.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(text.substr(close + 2));
        std::string state;
        long parent = 0;
        fields >> state >> parent;
        if (parent == pid) children.push_back(child);
    }
    return children;
}

}  // namespace kargolo
